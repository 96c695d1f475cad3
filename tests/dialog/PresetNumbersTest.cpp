// Numbers in preset files: "%f" on writing, atof/atoi on reading, checked
// against the C library in the C locale and against hand-written texts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <ostream>
#include <string>

#include "dialog/PresetNumbers.h"
#include "settings/NumberText.h"

namespace {

std::string Format(float value) {
    char text[kPresetRealTextSize];
    size_t length = FormatPresetReal(value, text);
    EXPECT_EQ(length, std::strlen(text));
    return text;
}

struct RealText {
    float value;
    const char* text;
};
void PrintTo(const RealText& c, std::ostream* os) { *os << c.text; }


class FormatReal : public ::testing::TestWithParam<RealText> {};

TEST_P(FormatReal, SixDecimalsPointAndSign) { EXPECT_EQ(Format(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Preset, FormatReal,
                         ::testing::Values(RealText{30.0f, "30.000000"}, RealText{0.0f, "0.000000"},
                                           RealText{-0.0f, "-0.000000"}, RealText{-0.5f, "-0.500000"},
                                           RealText{5.5555553f, "5.555555"}, RealText{0.1f, "0.100000"},
                                           RealText{0.0000004f, "0.000000"}, RealText{0.0000006f, "0.000001"},
                                           RealText{-1000.0f, "-1000.000000"},
                                           RealText{1e10f, "10000000000.000000"},
                                           RealText{3.4028234663852886e38f,
                                                    "340282346638528859811704183484516925440.000000"}));

// The C library's own "%f" in the C locale is the reference for any float.
TEST(FormatReal, AgreesWithPrintfForRandomFloats) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<uint32_t> bits;
    std::uniform_real_distribution<float> dialog(-1000.0f, 1000.0f);
    for (int i = 0; i < 20000; ++i) {
        float value;
        if (i % 2) {
            uint32_t b = bits(random);
            std::memcpy(&value, &b, 4);
            if (!std::isfinite(value)) continue;
        } else {
            value = dialog(random);
        }
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f", double(value));
        ASSERT_EQ(Format(value), expected) << "bits of " << value;
    }
}

struct ParseCase {
    const char* text;
    double real;
    int byte;
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.text; }


class ParseNumber : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumber, LikeAtofAndAtoiWithLowEightBits) {
    const ParseCase& c = GetParam();
    size_t run = PresetNumberRun(c.text, std::strlen(c.text));
    EXPECT_EQ(ParseNumberPrefix(c.text, run), c.real) << c.text;
    EXPECT_EQ(ParsePresetByte(c.text, run), c.byte) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Preset, ParseNumber,
                         ::testing::Values(ParseCase{"30.000000", 30.0, 30}, ParseCase{"1,5", 1.0, 1},
                                           ParseCase{"1.9", 1.9, 1}, ParseCase{"-1", -1.0, 255},
                                           ParseCase{"257", 257.0, 1}, ParseCase{"-256", -256.0, 0},
                                           ParseCase{"", 0.0, 0}, ParseCase{"-", 0.0, 0},
                                           ParseCase{".", 0.0, 0}, ParseCase{"-.25e1", -2.5, 0},
                                           ParseCase{"2e3", 2000.0, 2}, ParseCase{"2E-3", 0.002, 2},
                                           ParseCase{"1e", 1.0, 1}, ParseCase{"1e-", 1.0, 1},
                                           ParseCase{"1e5x", 100000.0, 1}, ParseCase{"1 2", 1.0, 1},
                                           ParseCase{"12abc", 12.0, 12}, ParseCase{"e5", 0.0, 0},
                                           ParseCase{"1e999", HUGE_VAL, 1}, ParseCase{"-1e999", -HUGE_VAL, 255},
                                           ParseCase{"1e-999", 0.0, 1}, ParseCase{"0.1", 0.1, 0}));

TEST(PresetNumberRun, TakesTheNumberCharactersUpToSixtyFour) {
    EXPECT_EQ(PresetNumberRun("-1.5e,E9 rest", 13), 8u);
    EXPECT_EQ(PresetNumberRun("+5", 2), 0u);
    EXPECT_EQ(PresetNumberRun("12\n", 3), 2u);
    std::string longRun(100, '7');
    EXPECT_EQ(PresetNumberRun(longRun.data(), longRun.size()), 64u);
    EXPECT_EQ(PresetNumberRun("123", 2), 2u);
}

}  // namespace
