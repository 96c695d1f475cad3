// Numbers in preset files: "%f" on writing, checked against the C library
// in the C locale and against hand-written texts, and the run of number
// characters a line's value is read from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "dialog/PresetNumbers.h"

namespace {

std::string Format(float value) {
    char text[kPresetRealTextSize];
    const size_t length = FormatPresetReal(value, text);
    EXPECT_EQ(length, std::strlen(text));
    return text;
}

TEST(FormatPresetReal, SixDecimalsPointAndSign) {
    EXPECT_EQ(Format(30.0f), "30.000000");
    EXPECT_EQ(Format(-0.0f), "-0.000000");
    EXPECT_EQ(Format(5.5555553f), "5.555555");
    EXPECT_EQ(Format(0.0000004f), "0.000000");
    EXPECT_EQ(Format(0.0000006f), "0.000001");
    EXPECT_EQ(Format(3.4028234663852886e38f), "340282346638528859811704183484516925440.000000");
    // The C library's own "%f" in the C locale is the reference for any float.
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> dialog(-1000.0f, 1000.0f);
    for (int i = 0; i < 20000; ++i) {
        float value = dialog(random);
        const uint32_t bits = random();
        if (i % 2) std::memcpy(&value, &bits, 4);
        if (!std::isfinite(value)) continue;
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f", double(value));
        ASSERT_EQ(Format(value), expected) << "bits of " << value;
    }
}

TEST(PresetNumberRun, TakesTheNumberCharactersUpToSixtyFour) {
    EXPECT_EQ(PresetNumberRun("-1.5e,E9 rest", 13), 8u);
    EXPECT_EQ(PresetNumberRun("+5", 2), 0u);
    EXPECT_EQ(PresetNumberRun("12\n", 3), 2u);
    const std::string longRun(100, '7');
    EXPECT_EQ(PresetNumberRun(longRun.data(), longRun.size()), 64u);
    EXPECT_EQ(PresetNumberRun("123", 2), 2u);
}

}  // namespace
