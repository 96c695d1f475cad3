// Reading the picture under a stroke: intensity at 16 bits and beyond the
// edges, and the selection (the golden renders cover 8-bit RGBA inside).
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

}  // namespace
