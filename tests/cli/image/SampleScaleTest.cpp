// 16-bit samples between files (0..65535) and the interface (0..32768),
// checked over every value against the exact ratio.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/image/SampleScale.h"

namespace {

TEST(SampleScale, BothDirectionsRoundToNearestKeepOrderAndInterfaceValuesComeBack) {
    for (uint32_t f = 0; f <= 65535; ++f) {
        ASSERT_LE(std::abs(FileToInterface16(uint16_t(f)) - f * 32768.0 / 65535.0), 0.5) << f;
        if (f > 0) {
            ASSERT_LE(FileToInterface16(uint16_t(f - 1)), FileToInterface16(uint16_t(f))) << f;
        }
    }
    for (uint32_t i = 0; i <= kInterfaceMax16; ++i) {
        ASSERT_LE(std::abs(InterfaceToFile16(uint16_t(i)) - i * 65535.0 / 32768.0), 0.5) << i;
        ASSERT_EQ(FileToInterface16(InterfaceToFile16(uint16_t(i))), i) << i;
    }
}

TEST(SampleScale, TheHalfwayValueRoundsUpAndAboveFullScaleIsFullScale) {
    EXPECT_EQ(InterfaceToFile16(16384), 32768);  // 32767.5
    EXPECT_EQ(InterfaceToFile16(32769), 65535);
    EXPECT_EQ(InterfaceToFile16(65535), 65535);
}

}  // namespace
