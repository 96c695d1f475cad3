// The 1-bit subpixel raster and its reduction to 4-bit coverage.
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

// Full pixels reduce to fifteen, as do fifteen of sixteen subpixels.
TEST(CoverageRaster, SetSubpixelsReduceToCoverage) {
    NibbleCountTable t;
    BuildNibbleCountTable(&t);
    for (bool odd : {false, true})
        for (const auto& c : {std::pair<int, int>{16, 15}, {15, 15}, {14, 14}, {1, 1}, {0, 0}}) {
            // One row of two pixels: the even one in the low nibble, the odd one in the high.
            std::vector<uint8_t> sub(4, 0), cov(1, 0xEE);
            for (int i = 0; i < c.first; ++i) sub[i / 4] |= uint8_t(1 << ((i % 4) + (odd ? 4 : 0)));
            ReduceCoverage(2, 1, 1, sub.data(), cov.data(), t);
            EXPECT_EQ(cov[0], odd ? c.second << 4 : c.second) << c.first << " bits, odd " << odd;
        }
}

}  // namespace
