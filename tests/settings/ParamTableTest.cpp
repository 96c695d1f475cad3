// The settings table: parsing typed values and storing any number safely.
#include <gtest/gtest.h>

#include <cmath>

#include "settings/ParamTable.h"

namespace {

TEST(ParamTable, ParsesNumbersAndListNames) {
    struct Case { const char *name, *text; bool ok; double value; };
    const Case cases[] = {{"pattern", "Spiral", true, 8},          {"pattern", "spiral waves 4", true, 12},
                          {"pattern", "3", true, 3},               {"pattern", "13", false, 0},
                          {"pattern", "Spirals", false, 0},        {"colorSchema", "Split color", true, 1},
                          {"rotation", "-12.5", true, -12.5},      {"rotation", "+.5e1", true, 5},
                          {"rotation", "12x", false, 0},           {"rotation", "1,5", false, 0},
                          {"rotation", "", false, 0},              {"rotation", "inf", false, 0},
                          {"rotation", "nan", false, 0},           {"notBreak", "1", true, 1},
                          {"notBreak", "0.5", false, 0},           {"space", "1e400", false, 0}};
    for (const Case& c : cases) {
        double value = -999;
        EXPECT_EQ(ParseSettingText(*FindParam(c.name), c.text, &value), c.ok) << c.name << "=" << c.text;
        EXPECT_EQ(value, c.ok ? c.value : -999) << c.name << "=" << c.text;
    }
}

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
    const EngraveSettings before = DefaultEngraveSettings();
    EngraveSettings s = before;
    SetSettingValue(&s, *FindParam("checkerboard"), 0);
    for (int i = 0; i < kParamCount; ++i)
        EXPECT_EQ(GetSettingValue(s, kParamTable[i]), GetSettingValue(before, kParamTable[i])) << kParamTable[i].name;
}

}  // namespace
