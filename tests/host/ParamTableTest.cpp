// The settings table: defaults, ranges and value conversions shared by
// scripting, presets, the command line and the dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/ParamTable.h"

namespace {

TEST(ParamTable, CoversTheRecordFieldsInOrder) {
    ASSERT_EQ(kParamCount, 26);
    for (int i = 1; i < kParamCount; ++i) EXPECT_LT(kParamTable[i - 1].offset, kParamTable[i].offset);
    EXPECT_STREQ(kParamTable[0].name, "colorSchema");
    EXPECT_STREQ(kParamTable[25].name, "presetApplied");
}

TEST(ParamTable, TwentyOneSettingsTravelInScriptsAndPresets) {
    int carried = 0;
    for (int i = 0; i < kParamCount; ++i)
        if (kParamTable[i].carriers == kCarriedByScriptAndPreset) {
            ++carried;
            EXPECT_NE(kParamTable[i].key, 0u) << kParamTable[i].name;
        }
    EXPECT_EQ(carried, 21);
    for (OSType key : kScriptKeyOrder) EXPECT_NE(FindParamByKey(key), nullptr);
}

TEST(ParamTable, InitParametersLeavesTheRunStateAlone) {
    EngraveParams record;
    std::memset(&record, 0xAB, sizeof record);
    InitParameters(&record);
    EXPECT_EQ(record.showDialog, 0xAB);
    EXPECT_EQ(record.canPreview, 0xAB);
    EXPECT_EQ(record.isPremiereHost, 0xAB);
    EXPECT_EQ(uint16_t(record.rowSkip), 0xABAB);
    EXPECT_EQ(record.viewX, 0);
    EXPECT_EQ(record.viewY, 0);
    EXPECT_EQ(record.presetApplied, 0);
    EXPECT_EQ(record.checkerboard, 1);
    EXPECT_EQ(record.phaseShift, 0.0f);
    EXPECT_EQ(record.noise, 0.0f);
}

struct ParseCase {
    const char* name;
    const char* text;
    bool ok;
    double value;
};

class ParseValue : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseValue, AcceptsNumbersAndListNames) {
    const ParseCase& c = GetParam();
    const SettingInfo* setting = FindParam(c.name);
    ASSERT_NE(setting, nullptr);
    double value = -999;
    EXPECT_EQ(ParseParamValue(*setting, c.text, &value), c.ok) << c.name << "=" << c.text;
    if (c.ok) {
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseValue,
                         ::testing::Values(ParseCase{"pattern", "Spiral", true, 8},
                                           ParseCase{"pattern", "spiral waves 4", true, 12},
                                           ParseCase{"pattern", "3", true, 3},
                                           ParseCase{"pattern", "13", false, 0},
                                           ParseCase{"pattern", "Spirals", false, 0},
                                           ParseCase{"colorSchema", "Split color", true, 1},
                                           ParseCase{"rotation", "-12.5", true, -12.5},
                                           ParseCase{"rotation", "12x", false, 0},
                                           ParseCase{"rotation", "", false, 0},
                                           ParseCase{"notBreak", "1", true, 1},
                                           ParseCase{"notBreak", "0.5", false, 0},
                                           ParseCase{"space", "1e400", false, 0}));

TEST(ParamTable, SetValueNeverHitsUndefinedConversions) {
    EngraveParams record{};
    SetParamValue(&record, *FindParam("space"), 1e300);
    EXPECT_TRUE(std::isinf(record.space));
    SetParamValue(&record, *FindParam("notBreak"), NAN);
    EXPECT_EQ(record.notBreak, 0);
    SetParamValue(&record, *FindParam("viewX"), 1e12);
    EXPECT_EQ(record.viewX, INT32_MAX);
    SetParamValue(&record, *FindParam("colorSchema"), 258);
    EXPECT_EQ(record.colorSchema, 2);
    SetParamValue(&record, *FindParam("fillAlpha"), -1);
    EXPECT_EQ(record.fillAlpha, 255);
}

}  // namespace
