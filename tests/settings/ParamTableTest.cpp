// The settings table: its orders, typed values and value conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "settings/ParamTable.h"

namespace {

// Every carried setting claims one descriptor position and one preset line,
// 1..21, and no two settings claim the same one.
TEST(ParamTable, OrdersArePermutations) {
    std::set<int> descriptor, preset;
    std::set<OSType> codes;
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& s = kParamTable[i];
        if (s.code == 0) {
            EXPECT_EQ(s.descriptorOrder + s.presetLine, 0) << s.name;
            continue;
        }
        EXPECT_TRUE(s.engraving) << s.name;
        EXPECT_TRUE(codes.insert(s.code).second) << s.name;
        EXPECT_TRUE(s.descriptorOrder >= 1 && s.descriptorOrder <= kCarriedSettingCount) << s.name;
        EXPECT_TRUE(s.presetLine >= 1 && s.presetLine <= kCarriedSettingCount) << s.name;
        EXPECT_TRUE(descriptor.insert(s.descriptorOrder).second) << s.name;
        EXPECT_TRUE(preset.insert(s.presetLine).second) << s.name;
    }
    EXPECT_EQ(codes.size(), size_t(kCarriedSettingCount));
    for (int n = 1; n <= kCarriedSettingCount; ++n) {
        EXPECT_NE(ParamAtDescriptorOrder(n), nullptr) << n;
        EXPECT_NE(ParamAtPresetLine(n), nullptr) << n;
    }
}

struct ParseCase {
    const char* name;
    const char* text;
    bool ok;
    double value;
};

class ParseValue : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseValue, AcceptsNumbersAndListNames) {
    const ParseCase& c = GetParam();
    const SettingInfo* setting = FindParam(c.name);
    ASSERT_NE(setting, nullptr);
    double value = -999;
    EXPECT_EQ(ParseSettingText(*setting, c.text, &value), c.ok) << c.name << "=" << c.text;
    if (c.ok) {
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseValue,
                         testing::Values(ParseCase{"pattern", "Spiral", true, 8},
                                         ParseCase{"pattern", "spiral waves 4", true, 12},
                                         ParseCase{"pattern", "3", true, 3}, ParseCase{"pattern", "13", false, 0},
                                         ParseCase{"pattern", "Spirals", false, 0},
                                         ParseCase{"colorSchema", "Split color", true, 1},
                                         ParseCase{"rotation", "-12.5", true, -12.5},
                                         ParseCase{"rotation", "+.5e1", true, 5},
                                         ParseCase{"rotation", "12x", false, 0},
                                         ParseCase{"rotation", "1,5", false, 0},
                                         ParseCase{"rotation", "", false, 0},
                                         ParseCase{"rotation", "inf", false, 0},
                                         ParseCase{"rotation", "nan", false, 0},
                                         ParseCase{"notBreak", "1", true, 1},
                                         ParseCase{"notBreak", "0.5", false, 0},
                                         ParseCase{"space", "1e400", false, 0}));

TEST(ParamTable, StoringNeverHitsUndefinedConversions) {
    SettingValues v{DefaultEngraveSettings(), DefaultDialogPreferences()};
    SetSettingValue(&v, *FindParam("space"), 1e300);
    EXPECT_TRUE(std::isinf(v.engraving.space));
    SetSettingValue(&v, *FindParam("notBreak"), NAN);
    EXPECT_EQ(v.engraving.notBreak, 0);
    SetSettingValue(&v, *FindParam("autoUpdate"), 1e12);
    EXPECT_EQ(v.dialog.autoUpdate, INT32_MAX);
    SetSettingValue(&v, *FindParam("colorSchema"), 258);
    EXPECT_EQ(v.engraving.colorSchema, 2);
    SetSettingValue(&v, *FindParam("fillAlpha"), -1);
    EXPECT_EQ(v.engraving.fillAlpha, 255);
    // A preference's row leaves the engraving settings alone.
    EngraveSettings s = DefaultEngraveSettings();
    SetSettingValue(&s, *FindParam("checkerboard"), 0);
    EXPECT_EQ(GetSettingValue(s, *FindParam("checkerboard")), 0);
}

}  // namespace
