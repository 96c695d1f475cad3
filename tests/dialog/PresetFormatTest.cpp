// Preset file keys: the codes reversed, in the file's line order.
#include <gtest/gtest.h>

#include <string>

#include "dialog/PresetFormat.h"

namespace {

TEST(PresetFormat, FileKeysAreTheCodesReversedInLineOrder) {
    const char* const expected[kCarriedSettingCount] = {"lgnA", "tsfO", "capS", "htdW", "slvL", "leRB", "lpmA",
                                                        "nqrF", "fihS", "lisU", "XtnC", "YtnC", "sioN", "IvnI",
                                                        "rvnI", "rBoN", "gBsU", "tSlC", "moeG", "AllF", "AtnA"};
    for (int line = 1; line <= kCarriedSettingCount; ++line) {
        const SettingInfo* setting = ParamAtPresetLine(line);
        ASSERT_NE(setting, nullptr) << line;
        char key[4];
        PresetFileKey(setting->code, key);
        EXPECT_EQ(std::string(key, 4), expected[line - 1]);
        EXPECT_EQ(FindPresetLine(expected[line - 1]), setting);
    }
    EXPECT_EQ(FindPresetLine("Angl"), nullptr);
    EXPECT_EQ(FindPresetLine("lgna"), nullptr);
}

}  // namespace
