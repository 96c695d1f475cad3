// Reading the picture under a stroke: intensity, the selection, and the
// sampling coordinate.
#include <gtest/gtest.h>

#include "engine/Sampling.h"
#include "tests/engine/EngineContextFixture.h"

namespace {

TEST(SampleIntensity, WhiteReads255At8BitsAnd254At16Bits) {
    for (int depth : {8, 16})
        for (int planes : {3, 4}) {
            Picture white = MakePicture(4, 3, planes, depth);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 4; ++x)
                    for (int p = 0; p < planes; ++p) white.Set(x, y, p, depth == 16 ? 32768 : 255);
            ContextFixture f(DefaultEngraveSettings(), white);
            EXPECT_EQ(SampleIntensity(f.c, 1, 1), depth == 16 ? 254 : 255) << depth << " bits, planes " << planes;
        }
}

// Outside the picture the nearest edge pixel is read, so strokes sampled
// just beyond an edge are as thick as those just inside (no dark fringe).
TEST(SampleIntensity, BeyondTheEdgeReadsTheNearestEdgePixel) {
    Picture p = MakePicture(4, 3, 3, 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            for (int s = 0; s < 3; ++s) p.Set(x, y, s, uint32_t(10 + 50 * x + 7 * y));
    ContextFixture c(DefaultEngraveSettings(), p);
    struct Case { int x, y, expected; };
    for (const Case& k : {Case{-1, 0, 10}, Case{-1000, 1, 17}, Case{4, 0, 160}, Case{9, 2, 174}, Case{2, -5, 110},
                          Case{1, 3, 74}, Case{5, 7, 174}, Case{-2, -2, 10}})
        EXPECT_EQ(SampleIntensity(c.c, k.x, k.y), k.expected) << k.x << "," << k.y;
}

TEST(SampleIntensity, EightBitAlphaIsFloorOfProductOver255) {
    Picture p = MakePicture(256, 1, 4, 8);
    for (uint32_t alpha = 0; alpha < 256; alpha += 5) {
        for (int x = 0; x < 256; ++x) p.Set(x, 0, 0, uint32_t(x)), p.Set(x, 0, 3, alpha);
        ContextFixture f(DefaultEngraveSettings(), p);
        for (int v = 0; v < 256; ++v) ASSERT_EQ(SampleIntensity(f.c, v, 0), int(uint32_t(v) * alpha / 255));
    }
}

TEST(SampleIntensity, SplitColorReadsThePassChannelElseTheBrightest) {
    Picture p = MakePicture(1, 1, 3, 8);
    p.Set(0, 0, 0, 10), p.Set(0, 0, 1, 200), p.Set(0, 0, 2, 30);
    EngraveSettings params = DefaultEngraveSettings();
    ContextFixture f(params, p);
    EXPECT_EQ(SampleIntensity(f.c, 0, 0), 200);
    params.colorSchema = kSplitColor;
    ContextFixture split(params, p);
    for (int ch = 0; ch < 3; ++ch) {
        split.c.target.channel = ch;
        EXPECT_EQ(SampleIntensity(split.c, 0, 0), int(p.Get(0, 0, ch)));
    }
}

TEST(MaskAllows, ReadsTheSelectionAndTheNearestEdgeOutsideTheImage) {
    ContextFixture f(DefaultEngraveSettings(), MakePicture(5, 4, 3, 8), true, true);
    f.mask[2 * 5 + 3] = 0;
    EXPECT_FALSE(MaskAllows(f.c, 3, 2));
    EXPECT_TRUE(MaskAllows(f.c, 2, 2));
    EXPECT_TRUE(MaskAllows(f.c, -1, 0));
    EXPECT_TRUE(MaskAllows(f.c, 5, 0));
    EXPECT_TRUE(MaskAllows(f.c, 0, 4));
    f.mask[0] = 0;  // the top-left corner unselected: so is everything beyond it
    EXPECT_FALSE(MaskAllows(f.c, -3, -7));
    EXPECT_FALSE(MaskAllows(f.c, 0, -1));
    EXPECT_TRUE(MaskAllows(f.c, 1, -1));
    f.mask[3 * 5 + 4] = 0;  // and the bottom-right one
    EXPECT_FALSE(MaskAllows(f.c, 40, 40));
}

TEST(SamplingCoordinate, TruncatesTowardZero) {
    EngraveSettings params = DefaultEngraveSettings();
    params.noAntialias = 1;
    ContextFixture direct(params, MakePicture(4, 4, 3, 8));
    EXPECT_EQ(SamplingCoordinate(direct.c, -0.7f), 0);
    EXPECT_EQ(SamplingCoordinate(direct.c, -1.6f), -1);
    EXPECT_EQ(SamplingCoordinate(direct.c, 2.5f), 3);
    params.noAntialias = 0;
    ContextFixture aa(params, MakePicture(4, 4, 3, 8));
    EXPECT_EQ(SamplingCoordinate(aa.c, 5.9f), 1);
    EXPECT_EQ(SamplingCoordinate(aa.c, 6.0f), 2);
    EXPECT_EQ(SamplingCoordinate(aa.c, -4.0f), 0);
}

}  // namespace
