#include <gtest/gtest.h>

#include <vector>

#include "engine/CoverageRaster.h"

namespace {

TEST(SubpixelRaster, BitLayoutAndClipping) {
    std::vector<uint8_t> r(3 * 4, 0);  // 3 bytes per row: a 5- or 6-pixel region
    SetRasterBit(9, 2, r.data(), 3, 4);
    EXPECT_EQ(r[2 * 3 + 1], 1 << 1);
    SetRasterBit(-3, 0, r.data(), 3, 4);  // x / 8 would be column 0: still dropped
    SetRasterBit(24, 0, r.data(), 3, 4);
    SetRasterBit(0, 4, r.data(), 3, 4);
    SetRasterBit(0, -1, r.data(), 3, 4);
    int set = 0;
    for (uint8_t b : r) set += __builtin_popcount(b);
    EXPECT_EQ(set, 1);
}

TEST(SubpixelRaster, RunsSetExactlyTheBitsOfSinglePoints) {
    for (int x0 = -10; x0 < 30; ++x0)
        for (int x1 = x0 - 1; x1 < 34; x1 += 3) {
            std::vector<uint8_t> a(3 * 2, 0), b(3 * 2, 0);
            SetRasterRun(x0, x1, 1, a.data(), 3, 2);
            for (int x = x0; x <= x1; ++x) SetRasterBit(x, 1, b.data(), 3, 2);
            ASSERT_EQ(a, b) << x0 << ".." << x1;
        }
}

TEST(CoverageRaster, NibbleCountTable) {
    NibbleCountTable t;
    BuildNibbleCountTable(&t);
    EXPECT_EQ(t.entries[0x00], 0);
    EXPECT_EQ(t.entries[0xFF], 4 * 256 + 4);
    EXPECT_EQ(t.entries[0x70], 3 * 256);
    EXPECT_EQ(t.entries[0x09], 2);
}

// Coverage of the even pixel with `bits` of its 16 subpixels set.
int Reduced(int bits, bool odd) {
    std::vector<uint8_t> sub(4, 0), cov(1, 0xEE);
    for (int i = 0; i < bits; ++i) sub[i / 4] |= uint8_t(1 << ((i % 4) + (odd ? 4 : 0)));
    NibbleCountTable t;
    BuildNibbleCountTable(&t);
    ReduceCoverage(2, 1, 1, sub.data(), cov.data(), t);
    return odd ? cov[0] >> 4 : cov[0] & 15;
}

TEST(CoverageRaster, FullPixelsReduceToFifteen) {
    for (bool odd : {false, true}) {
        EXPECT_EQ(Reduced(16, odd), 15);
        EXPECT_EQ(Reduced(15, odd), 15);
        EXPECT_EQ(Reduced(14, odd), 14);
        EXPECT_EQ(Reduced(1, odd), 1);
        EXPECT_EQ(Reduced(0, odd), 0);
    }
}

}  // namespace
