// Preset names: the extension rule when saving and loading, the list's own
// rule, the folder beside the module, and names that must never leave it.
#include <gtest/gtest.h>

#include <string>

#include "dialog/PresetNames.h"

namespace {

struct NameCase { const char *given, *expected; };

TEST(PresetNames, NormalizingDropsTheExtensionOfLongerNames) {
    for (const NameCase& c : {NameCase{"abc", "abc"}, NameCase{"abc.lmv", "abc"}, NameCase{"mylmv", "m"},
                              NameCase{"lmv", "lmv"}, NameCase{"xlmv", ""}, NameCase{"m.lmv", "m"},
                              NameCase{"a.lmv.lmv", "a.lmv"}, NameCase{"ab.LMV", "ab.LMV"}, NameCase{"", ""},
                              NameCase{"lmvx", "lmvx"}})
        EXPECT_EQ(NormalizePresetName(c.given), c.expected) << c.given;
}

TEST(PresetNames, TheListShowsLongNamesWithoutTheExtension) {
    for (const NameCase& c : {NameCase{"abc.lmv", "abc"}, NameCase{"ab.lmv", "ab.lmv"}, NameCase{"m.lmv", "m.lmv"},
                              NameCase{"abcd.lmv", "abcd"}, NameCase{"abclmv", "abclmv"},
                              NameCase{"abcxlmv", "abc"}, NameCase{"Long name.lmv", "Long name"}})
        EXPECT_EQ(PresetListName(c.given), c.expected) << c.given;
}

TEST(PresetNames, TheFolderIsLumericSavesBesideTheModule) {
    for (const NameCase& c : {NameCase{"C:\\Plug-ins\\lumeric2.8bf", "C:\\Plug-ins\\Lumeric saves"},
                              NameCase{"C:\\Plug-ins\\renamed.8bf", "C:\\Plug-ins\\Lumeric saves"},
                              NameCase{"\\\\server\\share\\lumeric2.8bf", "\\\\server\\share\\Lumeric saves"},
                              NameCase{"/opt/lumeric/bin/lumeric", "/opt/lumeric/bin/Lumeric saves"},
                              NameCase{"C:/mixed\\dirs/lumeric2.8bf", "C:/mixed\\dirs/Lumeric saves"},
                              NameCase{"lumeric", "Lumeric saves"}})
        EXPECT_EQ(PresetFolderFromModulePath(c.given), c.expected) << c.given;
}

TEST(PresetNames, PathsJoinFolderNameAndExtensionOfSafeNamesOnly) {
    for (const char* name : {"abc", "a.b", "...", "..a", "a..", "COM", "COM10", "console", "nul1", "My preset v1.2"}) {
        std::string path;
        EXPECT_TRUE(IsSafePresetName(name)) << name;
        ASSERT_TRUE(PresetFilePath("saves", name, &path)) << name;
        EXPECT_EQ(path, std::string("saves") + kPresetPathSeparator + name + ".lmv");
    }
    for (const std::string& name :
         {std::string(""), std::string("."), std::string(".."), std::string("../outside"), std::string("..\\outside"),
          std::string("a/b"), std::string("a\\b"), std::string("/etc/x"), std::string("\\\\server\\share\\x"),
          std::string("C:outside"), std::string("C:\\x"), std::string("stream:data"), std::string("a\0b", 3),
          std::string("CON"), std::string("con"), std::string("Nul"), std::string("aux.txt"), std::string("COM1"),
          std::string("lpt9"), std::string("prn .x"), std::string("CONIN$")}) {
        std::string path = "untouched";
        EXPECT_FALSE(IsSafePresetName(name)) << name;
        EXPECT_FALSE(PresetFilePath("saves", name, &path)) << name;
        EXPECT_EQ(path, "untouched");
    }
}

}  // namespace
