// The colour suite's colours as the words colour engines take, the plain
// CMYK formulas, and black point compensation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "cli/color/SuiteColors.h"

namespace {

TEST(SuiteColors, EverySampleSurvivesTheTripThroughEngineWords) {
    for (int v = 0; v <= 255; ++v) {
        EXPECT_EQ(ValueFromWord8(WordFrom8(uint8_t(v))), v);
        EXPECT_EQ(ValueFromInkWord8(InkWordFrom8(uint8_t(v))), v);
    }
    for (int v = 0; v <= 32768; ++v) ASSERT_EQ(ValueFromInkWord16(InkWordFrom16(uint16_t(v))), v);
    // Full scale in the suite is no ink; its words are ink amounts.
    EXPECT_EQ(InkWordFrom8(255), 0);
    EXPECT_EQ(InkWordFrom8(0), 65535);
    EXPECT_EQ(InkWordFrom16(32768), 0);
    EXPECT_EQ(InkWordFrom16(40000), 0) << "above full scale counts as full scale";
    EXPECT_EQ(ValueFromWord8(32767), 127);
    EXPECT_EQ(ValueFromWord8(32896), 128);
}

TEST(SuiteColors, ThePlainFormulasKeepPaperInkAndPureColours) {
    struct Case {
        uint16_t rgb[3];
        uint16_t cmyk[4];
    } cases[] = {
        {{65535, 65535, 65535}, {0, 0, 0, 0}},
        {{0, 0, 0}, {0, 0, 0, 65535}},
        {{65535, 0, 0}, {0, 65535, 65535, 0}},
        {{0, 65535, 65535}, {65535, 0, 0, 0}},
        {{32768, 32768, 32768}, {0, 0, 0, 32767}},
        {{32768, 16384, 0}, {0, 32767, 65535, 32767}},
    };
    for (const Case& c : cases) {
        uint16_t cmyk[4], rgb[3];
        PlainRgbToCmyk(c.rgb, cmyk);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(cmyk[i], c.cmyk[i], 1) << i;
        PlainCmykToRgb(cmyk, rgb);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(rgb[i], c.rgb[i], 2) << i;
    }
}

TEST(SuiteColors, BlackPointCompensationMovesBlackAndKeepsWhite) {
    const double black = WordToLight(10537);  // the inks' darkest, as sRGB 41 of 255
    EXPECT_EQ(CompensateFromInk(10537, black), 0) << "the inks' black comes back as RGB black";
    EXPECT_EQ(CompensateTowardsInk(0, black), 10537) << "RGB black goes to the inks' black";
    EXPECT_EQ(CompensateFromInk(65535, black), 65535);
    EXPECT_EQ(CompensateTowardsInk(65535, black), 65535);
    EXPECT_EQ(CompensateFromInk(5000, black), 0) << "darker than the inks reach stays black";
    int worst = 0;
    for (int word = 0; word <= 65535; word += 97) {
        EXPECT_EQ(CompensateFromInk(uint16_t(word), 0.0), word) << "no black point, no change";
        const int back = CompensateFromInk(CompensateTowardsInk(uint16_t(word), black), black);
        worst = std::max(worst, std::abs(back - word));
    }
    EXPECT_LE(worst, 2) << "the two directions undo each other";
    EXPECT_LT(CompensateFromInk(30000, black), 30000) << "mid tones darken a little";
    EXPECT_GT(CompensateTowardsInk(30000, black), 30000);
}

}  // namespace
