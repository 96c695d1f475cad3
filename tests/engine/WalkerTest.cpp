// The walkers and layouts: pass offsets, ring and spiral start radii, the
// random draws per sample, densification.
#include <gtest/gtest.h>

#include "engine/DrawPatternPass.h"
#include "engine/Walkers.h"
#include "engine/WaveOffset.h"
#include "tests/engine/EngineContextFixture.h"

namespace {

Picture Black(int w, int h) { return MakePicture(w, h, 3, 8); }

TEST(WaveOffset, ZeroAmplitudeAndNoiseGiveZeroButDrawOnce) {
    EngraveSettings p = DefaultParams();
    ContextFixture f(p, Black(4, 4));
    ASSERT_TRUE(f.initialised);
    EXPECT_EQ(WaveOffset(f.c, 3.0f, 1, 0.0f, 0.02f, 0.0f), 0.0f);
    EXPECT_EQ(f.DrawsSoFar(), 1u);
    EXPECT_EQ(WaveOffset(f.c, 3.0f, 7, 5.0f, 0.02f, 0.0f), 0.0f);  // unknown forms are flat
    EXPECT_EQ(f.DrawsSoFar(), 2u);
}

TEST(WaveOffset, Forms) {
    EngraveSettings p = DefaultParams();
    ContextFixture f(p, Black(4, 4));
    // arg = t F + P pi = pi/2: sin = 1.
    EXPECT_FLOAT_EQ(WaveOffset(f.c, 0.0f, 1, 10.0f, 0.0f, 0.5f), 10.0f);
    EXPECT_FLOAT_EQ(WaveOffset(f.c, 0.0f, 2, 10.0f, 0.0f, 0.5f), 5.0f);
    EXPECT_FLOAT_EQ(WaveOffset(f.c, 0.0f, 2, 10.0f, 0.0f, 0.0f), -5.0f);
    p.noise = 30;  // Nz = 10: the jitter of the next number (7719 -> 219) is 219 * 0.0005 * 10
    ContextFixture g(p, Black(4, 4));
    LcgNext(&g.c.rng);
    EXPECT_FLOAT_EQ(WaveOffset(g.c, 0.0f, 1, 0.0f, 0.0f, 0.0f), 219 * 0.0005f * 10.0f);
}

TEST(PatternPass, SplitColorPassesStartAtZeroOffsetAndTwiceOffset) {
    EngraveSettings p = DefaultParams();
    p.colorSchema = kSplitColor;
    p.pattern = kLines;
    p.offset = 500;  // O = 20 * 500 * -0.001 = -10
    ContextFixture f(p, Black(20, 10));
    const float N = f.c.frame.rasterWidth * 1.0f;  // approximate: only the offsets matter
    (void)N;
    for (int pass = 0; pass < 3; ++pass) {
        f.progress.clear();
        f.c.pass = pass;
        DrawPatternPass(f.c);
        ASSERT_FALSE(f.progress.empty());
        const float total = f.progress[0].second;  // passes x N
        const float n = total / 3;
        EXPECT_EQ(f.progress[0].first, std::max(0.0f, float(pass) * -10.0f + float(pass) * n)) << pass;
    }
}

TEST(RingStroke, RadiusZeroOrBelowDrawsNothingAndDrawsNoNumbers) {
    EngraveSettings p = DefaultParams();
    p.pattern = kRingsWaves1;
    ContextFixture f(p, Black(20, 20));
    DrawRingStroke(f.c, false, 20.0f, 0.0f, 1, 10.0f);
    DrawRingStroke(f.c, true, 20.0f, -5.0f, 1, 10.0f);
    EXPECT_EQ(f.DrawsSoFar(), 0u);
    EXPECT_EQ(f.SetSubpixels(), 0);
}

TEST(RingLayout, CentreInsideAndNoOffsetStartsAtRadiusZero) {
    EngraveSettings p = DefaultParams();
    p.pattern = kRings;
    ContextFixture f(p, Black(20, 20));
    DrawPatternPass(f.c);
    ASSERT_GE(f.progress.size(), 2u);
    EXPECT_EQ(f.progress[0].first, 0.0f);   // the first ring has radius 0 (and draws nothing)
    EXPECT_EQ(f.progress[1].first, 20.0f);  // the first visible ring has radius S
}

TEST(RingLayout, CentreOutsideStartsAtTheNearestDistance) {
    EngraveSettings p = DefaultParams();
    p.pattern = kRings;
    p.centerX = -1000;  // 1.5 widths left of the image: 30 raster units from its left edge for w = 20
    ContextFixture f(p, Black(20, 20));
    DrawPatternPass(f.c);
    ASSERT_FALSE(f.progress.empty());
    EXPECT_EQ(f.progress[0].first, 40.0f);
}

// Draws of one ring or spiral turn with waves (one number per drawn sample).
uint64_t TurnDraws(bool spiral, float radius, float pitch) {
    EngraveSettings p = DefaultParams();
    p.pattern = spiral ? kSpiralWaves1 : kRingsWaves1;
    p.amplitude = 0;  // no refinement of the angular step
    ContextFixture f(p, Black(20, 20));
    DrawRingStroke(f.c, spiral, pitch, radius, 1, 1.0f);
    return f.DrawsSoFar();
}

TEST(RingStroke, SpiralSkipsNegativeRadiiAndDrawsRadiusZero) {
    // Radius 8, step 1/8: 51 samples (phi = k/8 < 2 pi) on a ring.
    EXPECT_EQ(TurnDraws(false, 8.0f, 8.0f), 51u);
    // A spiral turn shrinking by 16 from radius 8 reaches 0 at phi = pi:
    // samples k/8 <= pi are drawn (k = 0..25), the rest are skipped.
    EXPECT_EQ(TurnDraws(true, 8.0f, 16.0f), 26u);
    // Shrinking by exactly 8 * 2 pi / (k/8) hits R = 0 at the last sample.
    EXPECT_EQ(TurnDraws(true, 8.0f, 8.0f), 51u);
}

uint64_t LineSamples(float randomness, bool densify) {
    EngraveSettings p = DefaultParams();
    p.pattern = kWaves1;
    p.randomness = randomness;
    ContextFixture f(p, Black(60, 60), densify);
    DrawLineStroke(f.c, 1, 0.02f, 10.0f, 10.0f, 160.0f, 10.0f, 10.0f, 10.0f);
    return f.DrawsSoFar() / 2;  // a wave and a relief number per sample
}

TEST(LineStroke, StrongReliefDensifiesWhenAsked) {
    // Rf = randomness / 12: 192 gives 16, 180 gives 15.
    EXPECT_EQ(LineSamples(192, false), 150u);
    // L' = 16 * 0.06666667 * 150 rounds to 160.00002: 161 samples instead of 150.
    EXPECT_EQ(LineSamples(192, true), 161u);
    EXPECT_EQ(LineSamples(180, true), 150u);
    EXPECT_EQ(LineSamples(180, false), 150u);
}

TEST(LineStroke, ZeroLengthDrawsNothing) {
    EngraveSettings p = DefaultParams();
    ContextFixture f(p, Black(10, 10));
    DrawLineStroke(f.c, 1, 0.02f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f);
    EXPECT_EQ(f.DrawsSoFar(), 0u);
}

TEST(LineStroke, BlackGivesFullWidthWhiteNothing) {
    EngraveSettings p = DefaultParams();
    p.rotation = 0;
    Picture white = MakePicture(10, 10, 3, 8);
    std::fill(white.bytes.begin(), white.bytes.end(), 255);
    ContextFixture w(p, white);  // samples stop before x = 38, which would read outside the picture
    DrawLineStroke(w.c, 0, 0.0f, 0.0f, 20.0f, 36.0f, 20.0f, 0.0f, 20.0f);
    EXPECT_EQ(w.SetSubpixels(), 0);
    ContextFixture b(p, Black(10, 10));
    DrawLineStroke(b.c, 0, 0.0f, 0.0f, 20.0f, 36.0f, 20.0f, 0.0f, 20.0f);
    // Width 14.285715: brush radius 7, so 15 subpixel rows are inked across the line.
    int rows = 0;
    for (int y = 0; y < 40; ++y) rows += b.subpixels[size_t(y) * 5 + 1] != 0;
    EXPECT_EQ(rows, 15);
}

TEST(LineStroke, NotBreakDrawsThinSamples) {
    EngraveSettings p = DefaultParams();
    p.notBreak = 1;
    Picture white = MakePicture(10, 10, 3, 8);
    std::fill(white.bytes.begin(), white.bytes.end(), 255);
    ContextFixture w(p, white);
    DrawLineStroke(w.c, 0, 0.0f, 0.0f, 20.0f, 36.0f, 20.0f, 0.0f, 20.0f);
    EXPECT_EQ(w.SetSubpixels(), 36);  // one point per sample
}

}  // namespace
