// The preset line table against the settings table: the file carries the
// same 21 settings as the scripting descriptor, each exactly once.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialog/PresetFormat.h"

namespace {

TEST(PresetFormat, LinesCoverTheCarriedSettingsOnce) {
    std::set<const SettingInfo*> seen;
    for (const PresetLineFormat& line : kPresetLines) {
        const SettingInfo* setting = FindParamByKey(line.code);
        ASSERT_NE(setting, nullptr) << line.label;
        EXPECT_EQ(setting->carriers, kCarriedByScriptAndPreset) << setting->name;
        EXPECT_TRUE(seen.insert(setting).second) << setting->name;
        EXPECT_EQ(&PresetLineParam(line), setting);
    }
    EXPECT_EQ(seen.size(), 21u);
}

TEST(PresetFormat, FileKeysAreTheCodesReversed) {
    const char* const expected[kPresetLineCount] = {"lgnA", "tsfO", "capS", "htdW", "slvL", "leRB", "lpmA",
                                                    "nqrF", "fihS", "lisU", "XtnC", "YtnC", "sioN", "IvnI",
                                                    "rvnI", "rBoN", "gBsU", "tSlC", "moeG", "AllF", "AtnA"};
    for (int i = 0; i < kPresetLineCount; ++i) {
        char key[4];
        PresetFileKey(kPresetLines[i].code, key);
        EXPECT_EQ(std::string(key, 4), expected[i]);
        EXPECT_EQ(FindPresetLine(expected[i]), &kPresetLines[i]);
    }
    EXPECT_EQ(FindPresetLine("Angl"), nullptr);
    EXPECT_EQ(FindPresetLine("lgna"), nullptr);
}

TEST(PresetFormat, ThirteenRealsThenEightIntegers) {
    for (int i = 0; i < kPresetLineCount; ++i)
        EXPECT_EQ(IsPresetReal(PresetLineParam(kPresetLines[i])), i < 13) << kPresetLines[i].label;
}

}  // namespace
