// Preset names: the extension rule when saving and loading, the list's own
// rule, the folder beside the module, and names that must never leave it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "dialog/PresetNames.h"

namespace {

struct NameCase {
    const char* given;
    const char* expected;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.given; }


class Normalize : public ::testing::TestWithParam<NameCase> {};
TEST_P(Normalize, DropsTheExtensionOfLongerNames) {
    EXPECT_EQ(NormalizePresetName(GetParam().given), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Preset, Normalize,
                         ::testing::Values(NameCase{"abc", "abc"}, NameCase{"abc.lmv", "abc"},
                                           NameCase{"mylmv", "m"}, NameCase{"lmv", "lmv"},
                                           NameCase{"xlmv", ""}, NameCase{"m.lmv", "m"},
                                           NameCase{"a.lmv.lmv", "a.lmv"}, NameCase{"ab.LMV", "ab.LMV"},
                                           NameCase{"", ""}, NameCase{"lmvx", "lmvx"}));

class ListName : public ::testing::TestWithParam<NameCase> {};
TEST_P(ListName, ShowsLongNamesWithoutTheExtension) {
    EXPECT_EQ(PresetListName(GetParam().given), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Preset, ListName,
                         ::testing::Values(NameCase{"abc.lmv", "abc"}, NameCase{"ab.lmv", "ab.lmv"},
                                           NameCase{"m.lmv", "m.lmv"}, NameCase{"abcd.lmv", "abcd"},
                                           NameCase{"abclmv", "abclmv"}, NameCase{"abcxlmv", "abc"},
                                           NameCase{"Long name.lmv", "Long name"}));

class Folder : public ::testing::TestWithParam<NameCase> {};
TEST_P(Folder, IsLumericSavesBesideTheModule) {
    EXPECT_EQ(PresetFolderFromModulePath(GetParam().given), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Preset, Folder,
    ::testing::Values(NameCase{"C:\\Plug-ins\\lumeric2.8bf", "C:\\Plug-ins\\Lumeric saves"},
                      NameCase{"C:\\Plug-ins\\renamed.8bf", "C:\\Plug-ins\\Lumeric saves"},
                      NameCase{"\\\\server\\share\\lumeric2.8bf", "\\\\server\\share\\Lumeric saves"},
                      NameCase{"/opt/lumeric/bin/lumeric", "/opt/lumeric/bin/Lumeric saves"},
                      NameCase{"C:/mixed\\dirs/lumeric2.8bf", "C:/mixed\\dirs/Lumeric saves"},
                      NameCase{"lumeric", "Lumeric saves"}));

TEST(PresetFilePath, JoinsFolderNameAndExtension) {
    std::string path;
    ASSERT_TRUE(PresetFilePath("saves", "abc", &path));
    EXPECT_EQ(path, std::string("saves") + kPresetPathSeparator + "abc.lmv");
    ASSERT_TRUE(PresetFilePath("saves", "My preset v1.2", &path));
    EXPECT_EQ(path, std::string("saves") + kPresetPathSeparator + "My preset v1.2.lmv");
}

class UnsafeName : public ::testing::TestWithParam<std::string> {};
TEST_P(UnsafeName, IsRefused) {
    std::string path = "untouched";
    EXPECT_FALSE(IsSafePresetName(GetParam()));
    EXPECT_FALSE(PresetFilePath("saves", GetParam(), &path));
    EXPECT_EQ(path, "untouched");
}
INSTANTIATE_TEST_SUITE_P(Preset, UnsafeName,
                         ::testing::Values("", ".", "..", "../outside", "..\\outside", "a/b", "a\\b", "/etc/x",
                                           "\\\\server\\share\\x", "C:outside", "C:\\x", "stream:data",
                                           std::string("a\0b", 3), "CON", "con", "Nul", "aux.txt", "COM1",
                                           "lpt9", "prn .x", "CONIN$"));

TEST(IsSafePresetName, AcceptsOrdinaryNames) {
    for (const char* name : {"abc", "a.b", "...", "..a", "a..", "COM", "COM10", "console", "nul1", "My preset"})
        EXPECT_TRUE(IsSafePresetName(name)) << name;
}

}  // namespace
