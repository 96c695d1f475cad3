// The walkers and layouts: pass offsets, ring and spiral start radii, the
// random draws per sample, densification.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/DrawPatternPass.h"
#include "engine/FloatWalk.h"
#include "engine/Walkers.h"
#include "engine/WaveOffset.h"
#include "tests/engine/EngineContextFixture.h"

namespace {

// The walk's float accumulation, one rounded addition after another.
float LoopAddition(float x, float d, uint64_t n) {
    for (uint64_t i = 0; i < n; ++i) x = x + d;
    return x;
}

// n additions by stretches: k at once where UniformAdditions allows, else one.
float RepeatAddition(float x, float d, uint64_t n) {
    while (n > 0) {
        float delta;
        uint64_t k = UniformAdditions(x, d, &delta);
        if (k == 0) {
            x = x + d;
            --n;
            continue;
        }
        if (k > n) k = n;
        x = float(double(x) + double(k) * double(delta));
        n -= k;
    }
    return x;
}

// Stretches of additions are exact: near binade edges, across zero, at
// rounding ties (d an odd multiple of half an ulp), for steps finer than an
// ulp, and for random starts and steps of every scale.
TEST(FloatWalk, StretchesLandWhereTheLoopLands) {
    struct Case { float x, d; uint64_t n; };
    std::vector<Case> cases = {{0.0f, 1.0f, 100000},        {-5000.3f, 0.8660254f, 20000}, {1023.9f, 0.01f, 5000},
                               {16777000.0f, 1.0f, 1000},   {4096.0f, 0.000244140625f, 70000},  // ties at 4096
                               {8191.5f, 0.00048828125f, 9000}, {-1.0f, 3e-8f, 1000},   {3.0f, -0.7f, 20},
                               {6.2831f, 1e-4f, 3000},      {1e20f, 1e13f, 4000},      {2.0f, 0.0f, 50}};
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 300; ++i) {
        const float x = float(int32_t(next())) * std::ldexp(1.0f, int(next() % 40) - 40);
        const float d = float(int32_t(next())) * std::ldexp(1.0f, int(next() % 40) - 50);
        cases.push_back({x, d, next() % 4000});
    }
    for (const Case& c : cases) {
        EXPECT_EQ(RepeatAddition(c.x, c.d, c.n), LoopAddition(c.x, c.d, c.n)) << c.x << " + " << c.d << " x " << c.n;
        float delta;
        const uint64_t uniform = UniformAdditions(c.x, c.d, &delta);
        float x = c.x;
        for (uint64_t j = 0; j < std::min<uint64_t>(uniform, 3000); ++j) {
            const float y = x + c.d;
            ASSERT_EQ(y - x, delta) << c.x << " + " << c.d << " step " << j;
            x = y;
        }
        if (delta > 0.0f)
            for (double limit : {double(c.x) + 1.0, double(c.x) + 1000.0 * delta, double(c.x) + 0.5 * delta}) {
                if ((limit - double(c.x)) / double(delta) > 1e6) continue;
                uint64_t below = 0;
                while (double(c.x) + double(below + 1) * delta < limit) ++below;
                EXPECT_EQ(StepsBelow(c.x, delta, limit), below) << c.x << " " << delta << " " << limit;
            }
    }
}

Picture Black(int w, int h) { return MakePicture(w, h, 3, 8); }

Picture White(int w, int h) {
    Picture p = MakePicture(w, h, 3, 8);
    std::fill(p.bytes.begin(), p.bytes.end(), 255);
    return p;
}

TEST(WaveOffset, FormsAndTheirDraws) {
    EngraveSettings p = DefaultEngraveSettings();
    ContextFixture f(p, Black(4, 4));
    ASSERT_TRUE(f.initialised);
    // Zero amplitude and noise give zero but still draw one number; unknown forms are flat.
    EXPECT_EQ(WaveOffset(f.c, 3.0f, 1, 0.0f, 0.02f, 0.0f), 0.0f);
    EXPECT_EQ(f.DrawsSoFar(), 1u);
    EXPECT_EQ(WaveOffset(f.c, 3.0f, 7, 5.0f, 0.02f, 0.0f), 0.0f);
    EXPECT_EQ(f.DrawsSoFar(), 2u);
    // arg = t F + P pi = pi/2: sin = 1.
    EXPECT_FLOAT_EQ(WaveOffset(f.c, 0.0f, 1, 10.0f, 0.0f, 0.5f), 10.0f);
    EXPECT_FLOAT_EQ(WaveOffset(f.c, 0.0f, 2, 10.0f, 0.0f, 0.5f), 5.0f);
    EXPECT_FLOAT_EQ(WaveOffset(f.c, 0.0f, 2, 10.0f, 0.0f, 0.0f), -5.0f);
    p.noise = 30;  // Nz = 10: the jitter of the second number (7719 -> 219) is 219 * 0.0005 * 10
    ContextFixture g(p, Black(4, 4));
    LcgNext(&g.c.rng);
    EXPECT_FLOAT_EQ(WaveOffset(g.c, 0.0f, 1, 0.0f, 0.0f, 0.0f), 219 * 0.0005f * 10.0f);
}

// Where each pass or layout starts, from its first progress report.
std::vector<std::pair<float, float>> PassProgress(const EngraveSettings& p, int pass = 0) {
    ContextFixture f(p, Black(20, 20));
    f.c.pass = pass;
    DrawPatternPass(f.c);
    return f.progress;
}

TEST(PatternPass, SplitColorPassesStartAtZeroOffsetAndTwiceOffset) {
    EngraveSettings p = DefaultEngraveSettings();
    p.colorSchema = kSplitColor;
    p.pattern = kLines;
    p.offset = 500;  // O = 20 * 500 * -0.001 = -10
    for (int pass = 0; pass < 3; ++pass) {
        const auto progress = PassProgress(p, pass);
        ASSERT_FALSE(progress.empty());
        const float n = progress[0].second / 3;  // the total counts three passes of n
        EXPECT_EQ(progress[0].first, std::max(0.0f, float(pass) * -10.0f + float(pass) * n)) << pass;
    }
}

// Centre 1.5 widths left of the image, 30 raster units from its left edge:
// the first ring starts at the nearest distance, on a whole space. (With
// the centre inside, the golden renders pin the rings.)
TEST(RingLayout, FirstRadiusWithTheCentreOutside) {
    EngraveSettings p = DefaultEngraveSettings();
    p.pattern = kRings;
    p.centerX = -1000;
    const auto progress = PassProgress(p);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress[0].first, 40.0f);
}

// Draws of one ring or spiral turn with waves: one number per drawn sample.
TEST(RingStroke, SamplesOfOneTurn) {
    struct Case { bool spiral; float radius, pitch; uint64_t draws; };
    // Radius 0 or below draws nothing and no numbers. Radius 8, step 1/8: 51
    // samples (phi = k/8 < 2 pi) on a ring. A spiral turn shrinking by 16
    // from radius 8 reaches 0 at phi = pi: samples k/8 <= pi are drawn
    // (k = 0..25), the rest are skipped; shrinking by 8 hits 0 at the last one.
    for (const Case& k : {Case{false, 0, 20, 0}, Case{true, -5, 20, 0}, Case{false, 8, 8, 51}, Case{true, 8, 16, 26},
                          Case{true, 8, 8, 51}}) {
        EngraveSettings p = DefaultEngraveSettings();
        p.pattern = k.spiral ? kSpiralWaves1 : kRingsWaves1;
        p.amplitude = 0;  // no refinement of the angular step
        ContextFixture f(p, Black(20, 20));
        DrawRingStroke(f.c, k.spiral, k.pitch, k.radius, 1, 1.0f);
        EXPECT_EQ(f.DrawsSoFar(), k.draws) << k.spiral << " " << k.radius << " " << k.pitch;
        EXPECT_EQ(f.SetSubpixels() == 0, k.draws == 0) << k.spiral << " " << k.radius << " " << k.pitch;
    }
}

TEST(LineStroke, StrongReliefDensifiesWhenAsked) {
    // Rf = randomness / 12: 192 gives 16, 180 gives 15. With 16,
    // L' = 16 * 0.06666667 * 150 rounds to 160.00002: 161 samples instead of 150.
    struct Case { float randomness; bool densify; uint64_t samples; };
    for (const Case& k : {Case{192, false, 150}, Case{192, true, 161}, Case{180, true, 150}, Case{180, false, 150}}) {
        EngraveSettings p = DefaultEngraveSettings();
        p.pattern = kWaves1;
        p.randomness = k.randomness;
        ContextFixture f(p, Black(60, 60), k.densify);
        DrawLineStroke(f.c, 1, 0.02f, 10.0f, 10.0f, 160.0f, 10.0f, 10.0f, 10.0f);
        // A wave and a relief number per sample.
        EXPECT_EQ(f.DrawsSoFar() / 2, k.samples) << k.randomness << " densify " << k.densify;
    }
    ContextFixture empty(DefaultEngraveSettings(), Black(10, 10));
    DrawLineStroke(empty.c, 1, 0.02f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f);
    EXPECT_EQ(empty.DrawsSoFar(), 0u) << "a zero-length line draws nothing";
}

// Where the picture is white a stroke breaks off, unless told not to: then
// it goes on as a line one point wide.
TEST(LineStroke, WhiteBreaksTheStrokeUnlessNotBreak) {
    EngraveSettings p = DefaultEngraveSettings();
    p.rotation = 0;
    for (int notBreak : {0, 1}) {
        p.notBreak = notBreak;
        ContextFixture white(p, White(10, 10));
        // Samples stop before x = 38, which would read outside the picture.
        DrawLineStroke(white.c, 0, 0.0f, 0.0f, 20.0f, 36.0f, 20.0f, 0.0f, 20.0f);
        EXPECT_EQ(white.SetSubpixels(), notBreak ? 36 : 0);  // one point per sample
    }
}

}  // namespace
