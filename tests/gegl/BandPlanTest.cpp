// Band arithmetic, and the 16-bit scaling shared with the lumeric command.
#include <gtest/gtest.h>

#include "cli/image/SampleScale.h"
#include "gegl/BandPlan.h"
#include "gegl/Samples16.h"

namespace {

::testing::AssertionResult Is(const PixelRect& r, int x, int y, int width, int height) {
    if (r.x == x && r.y == y && r.width == width && r.height == height) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

}  // namespace

TEST(BandPlan, CachedBandsAreWholeRowsOnAGridFromTheImageTop) {
    const PixelRect image{-5, 10, 300, 700};
    EXPECT_TRUE(Is(CachedBand({20, 40, 64, 64}, image), -5, 10, 300, 128));
    EXPECT_TRUE(Is(CachedBand({20, 130, 64, 20}, image), -5, 10, 300, 256));  // rows 130..149 straddle a line
    EXPECT_TRUE(Is(CachedBand({0, 650, 64, 200}, image), -5, 650, 300, 60));   // the last band stops at the edge
    EXPECT_TRUE(IsEmpty(CachedBand({400, 40, 64, 64}, image)));
    EXPECT_TRUE(Is(CachedBand({0, -100, 10, 10}, PixelRect{0, -300, 10, 400}), 0, -172, 10, 128));
}

TEST(BandPlan, InputBandsAddTheReachAboveAndBelow) {
    const PixelRect image{0, 0, 200, 500};
    EXPECT_TRUE(Is(InputBand({50, 100, 10, 10}, image, 30), 0, 70, 200, 70));
    EXPECT_TRUE(Is(InputBand({50, 10, 10, 480}, image, 30), 0, 0, 200, 500));
    EXPECT_TRUE(Is(InputBand({50, 100, 10, 10}, image, 0), 0, 100, 200, 10));
    EXPECT_TRUE(IsEmpty(InputBand({50, 600, 10, 10}, image, 30)));
}

TEST(Samples16, RoundLikeTheCommand) {
    for (uint32_t v = 0; v <= 65535; ++v) {
        ASSERT_EQ(ToEngine16(uint16_t(v)), FileToInterface16(uint16_t(v))) << v;
        ASSERT_EQ(FromEngine16(uint16_t(v)), InterfaceToFile16(uint16_t(v))) << v;
    }
}
