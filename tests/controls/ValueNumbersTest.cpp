// Values as the spin edit, the rotor and the value dialog read, compare,
// keep and show them, and pixel sizes for the DPI.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "controls/ControlNumbers.h"
#include "controls/DpiScale.h"
#include "controls/ValueDialogModel.h"

namespace {

TEST(TypedValue, ReadsLikeAtofButNeverAsNonFinite) {
    const struct {
        const char* text;
        float expected;
    } cases[] = {
        {"12.5", 12.5f}, {"  -3.25kg", -3.25f}, {"1,5", 1.0f}, {"abc", 0.0f}, {"", 0.0f}, {"7", 7.0f},
        {"nan", 0.0f},   {"-NaN", 0.0f},        {"inf", 0.0f}, {"-infinity", 0.0f},
        {"1e999", 0.0f},  // infinite as a double
        {"1e300", 0.0f},  // finite as a double, infinite as a float
        {"1e-50", 0.0f}, {"3.4e38", 3.4e38f},
    };
    for (const auto& c : cases) {
        const float value = ParseTypedValue(c.text, std::strlen(c.text));
        EXPECT_TRUE(std::isfinite(value)) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(ValueNumbers, TruncateCompareAndShow) {
    EXPECT_EQ(TruncateToInt(-2.7f), -2);
    EXPECT_EQ(TruncateToInt(2.7f), 2);
    EXPECT_EQ(TruncateToInt(1e30f), INT32_MAX);
    EXPECT_EQ(TruncateToInt(-1e30f), INT32_MIN);
    EXPECT_EQ(TruncateToInt(NAN), 0);

    const struct {
        float a, b;
        bool same;
    } pairs[] = {{12.0f, 12.001f, true}, {45.0f, 45.004f, true}, {45.0f, 46.0f, false},
                 {0.0f, -0.004f, true},  {0.0f, -0.6f, false},   {99.994f, 99.996f, false}};
    for (const auto& p : pairs) EXPECT_EQ(SameAtTwoDecimals(p.a, p.b), p.same) << p.a << " vs " << p.b;

    const struct {
        float value;
        bool integer;
        const char* text;
    } shown[] = {{7.0f, false, "7.00"}, {-1.25f, false, "-1.25"}, {2.5f, true, "2"}, {-0.5f, true, "0"},
                 {-7.9f, true, "-7"}};
    for (const auto& s : shown) {
        char text[32];
        FormatValueText(s.value, s.integer, text, sizeof text);
        EXPECT_STREQ(text, s.text);
    }

    // The arrows' 16-bit words: truncated, signed values in two's complement.
    EXPECT_EQ(UpDownWord(99.5f), 99);
    EXPECT_EQ(UpDownWord(-1.0f), 0xFFFF);
    EXPECT_EQ(UpDownWord(-50.7f), uint16_t(-50));
    EXPECT_EQ(UpDownWord(70000.0f), 70000 & 0xFFFF);
}

TEST(ValueDialogRules, LeavingAFieldKeepsRefusesOrClamps) {
    enum Kind { Spin, Rotor, IntegerSpin };
    const struct {
        Kind kind;
        ValueField field;
        const char* typed;
        bool beep, rewrite;
        float kept;  // the field's working value afterwards
    } cases[] = {
        {Spin, ValueField::Minimum, "100", true, true, 0},     // equal to the maximum
        {Spin, ValueField::Minimum, "150", true, true, 0},
        {Spin, ValueField::Minimum, "50", false, false, 50},
        {Spin, ValueField::Minimum, "abc", false, true, 0},    // reads 0: shown formatted
        {Spin, ValueField::Maximum, "0", true, true, 100},     // equal to the minimum
        {Spin, ValueField::Maximum, "120.5", false, false, 120.5f},
        {Spin, ValueField::Value1, "250", false, true, 100},   // clamped silently
        {Spin, ValueField::Value1, "-3", false, true, 0},
        {Spin, ValueField::Value1, "42.5", false, false, 42.5f},
        {Rotor, ValueField::Value1, "400", false, false, 400},  // an unlimited dial takes any angle
        {IntegerSpin, ValueField::Value1, "12.7", false, true, 12},
        {IntegerSpin, ValueField::Maximum, "0.9", true, true, 100},  // kept as 0: not above 0
        {IntegerSpin, ValueField::Minimum, "99.9", false, true, 99},
    };
    for (const auto& c : cases) {
        ValueWorkingCopy copy = {50, 0, 0, 100, c.kind == IntegerSpin, c.kind != Rotor};
        const FieldOutcome outcome = LeaveValueField(copy, c.field, c.typed, std::strlen(c.typed));
        EXPECT_EQ(outcome.beep, c.beep) << c.typed;
        EXPECT_EQ(outcome.rewrite, c.rewrite) << c.typed;
        EXPECT_EQ(WorkingValue(copy, c.field), c.kept) << c.typed;
    }
}

TEST(DpiScale, ExactAt96AndRoundedElsewhere) {
    const struct {
        int pixels, dpi, scaled;
    } cases[] = {{5, 96, 5}, {5, 192, 10}, {5, 120, 6}, {5, 144, 8}, {-5, 144, -8}, {1, 120, 1}, {20, 0, 20}};
    for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.pixels, c.dpi), c.scaled) << c.pixels << " at " << c.dpi;
    EXPECT_EQ(ArtworkScaleForDpi(96), 1);
    EXPECT_EQ(ArtworkScaleForDpi(143), 1);
    EXPECT_EQ(ArtworkScaleForDpi(144), 2);
}

}  // namespace
