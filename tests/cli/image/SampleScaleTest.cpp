// 16-bit samples between files (0..65535) and the interface (0..32768),
// checked over every value.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/image/SampleScale.h"

namespace {

TEST(SampleScale, EveryInterfaceValueComesBackExactly) {
    for (uint32_t i = 0; i <= kInterfaceMax16; ++i) {
        ASSERT_EQ(FileToInterface16(InterfaceToFile16(uint16_t(i))), i) << "interface value " << i;
    }
}

TEST(SampleScale, EveryFileValueComesBackWithinOneStep) {
    int worst = 0;
    for (uint32_t f = 0; f <= 65535; ++f) {
        const int back = InterfaceToFile16(FileToInterface16(uint16_t(f)));
        worst = std::max(worst, std::abs(back - int(f)));
        ASSERT_LE(std::abs(back - int(f)), 1) << "file value " << f;
    }
    EXPECT_EQ(worst, 1);  // half the levels: some values must move
}

TEST(SampleScale, EndsAndMiddleMapOntoEachOther) {
    EXPECT_EQ(FileToInterface16(0), 0);
    EXPECT_EQ(FileToInterface16(65535), 32768);
    EXPECT_EQ(InterfaceToFile16(0), 0);
    EXPECT_EQ(InterfaceToFile16(32768), 65535);
    EXPECT_EQ(InterfaceToFile16(16384), 32768);  // 32767.5 rounds up
    EXPECT_EQ(FileToInterface16(32768), 16384);
}

TEST(SampleScale, BothDirectionsRoundToNearestAndKeepOrder) {
    for (uint32_t f = 0; f <= 65535; ++f) {
        const double exact = f * 32768.0 / 65535.0;
        ASSERT_LE(std::abs(FileToInterface16(uint16_t(f)) - exact), 0.5) << f;
        if (f > 0) {
            ASSERT_LE(FileToInterface16(uint16_t(f - 1)), FileToInterface16(uint16_t(f)));
        }
    }
    for (uint32_t i = 0; i <= kInterfaceMax16; ++i) {
        ASSERT_LE(std::abs(InterfaceToFile16(uint16_t(i)) - i * 65535.0 / 32768.0), 0.5) << i;
    }
}

TEST(SampleScale, InterfaceValuesAboveFullScaleCountAsFullScale) {
    EXPECT_EQ(InterfaceToFile16(32769), 65535);
    EXPECT_EQ(InterfaceToFile16(65535), 65535);
}

}  // namespace
