// The command line: what each command accepts and what it refuses.
#include <gtest/gtest.h>

#include <vector>

#include "cli/commands/CommandLine.h"
#include "cli/commands/Settings.h"

namespace {

bool Parse(std::vector<const char*> args, CommandLine* line, std::string* error) {
    args.insert(args.begin(), "lumeric");
    return ParseCommandLine(int(args.size()), const_cast<char**>(args.data()), line, error);
}

// The long options are run end to end (CommandTest); here the short and
// joined forms, the size suffix and a batch.
TEST(CommandLine, EngraveOneImageOrABatch) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"engrave", "in.png", "out.png", "--set=pattern=Spiral", "-f", "--max-space", "64k"}, &line,
                      &error))
        << error;
    EXPECT_EQ(line.kind, CommandKind::Engrave);
    EXPECT_EQ(line.inputs, std::vector<std::string>{"in.png"});
    EXPECT_EQ(line.output, "out.png");
    EXPECT_EQ(line.sets, std::vector<std::string>{"pattern=Spiral"});
    EXPECT_TRUE(line.force);
    EXPECT_EQ(line.maxSpace, 65536);
    ASSERT_TRUE(Parse({"engrave", "a.png", "b.tif", "c.jpg", "-o", "out"}, &line, &error)) << error;
    EXPECT_EQ(line.inputs, (std::vector<std::string>{"a.png", "b.tif", "c.jpg"}));
    EXPECT_EQ(line.outputDir, "out");
}

struct UsageCase {
    std::vector<const char*> args;
    const char* message;
};

class UsageError : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, IsRefused) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(Parse(GetParam().args, &line, &error));
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageError,
    ::testing::Values(UsageCase{{"engrave", "in.png"}, "needs an input and an output"},
                      UsageCase{{"engrave", "a", "b", "c"}, "needs an input and an output"},
                      UsageCase{{"engrave", "-o", "dir"}, "at least one input"},
                      UsageCase{{"engrave", "a", "b", "--bogus"}, "unknown option --bogus"},
                      UsageCase{{"engrave", "a", "b", "--set"}, "--set needs NAME=VALUE"},
                      UsageCase{{"engrave", "a", "b", "--max-space", "lots"}, "--max-space"},
                      UsageCase{{"engrave", "a", "b", "--tiled=1"}, "takes no value"},
                      UsageCase{{"engrave", "a", "b", "--replay", "x.json", "--preset", "p.lmv"}, "cannot be combined"},
                      UsageCase{{"frobnicate"}, "unknown command"},
                      UsageCase{{"preset", "load", "x"}, "preset show FILE"},
                      UsageCase{{"preset", "show", "x", "--set", "a=1"}, "no --preset or --set"},
                      UsageCase{{"about", "x"}, "no arguments"}));

// Help and version win over everything else; the help documents every
// exit code, and the Windows options only in the Windows build.
TEST(CommandLine, HelpVersionAndTheExitCodes) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"engrave", "--help"}, &line, &error));
    EXPECT_EQ(line.kind, CommandKind::Help);
    ASSERT_TRUE(Parse({"engrave", "a", "--version"}, &line, &error));
    EXPECT_EQ(line.kind, CommandKind::Version);
    const std::string help = HelpText(false);
    for (const char* code : {"0  done", "1  usage", "2  an input", "3  the output", "4  the filter", "5  cancelled"})
        EXPECT_NE(help.find(code), std::string::npos) << code;
    EXPECT_EQ(help.find("--plugin"), std::string::npos) << "Windows-only options stay out of the Linux help";
    EXPECT_NE(HelpText(true).find("--plugin"), std::string::npos);
}

struct SettingCase {
    const char* text;
    bool ok;
    const char* field;
    double value;
};

class Setting : public ::testing::TestWithParam<SettingCase> {};

TEST_P(Setting, ParsesNamesAndValues) {
    SettingAssignment a{};
    std::string error;
    EXPECT_EQ(ParseSetting(GetParam().text, &a, &error), GetParam().ok) << error;
    if (GetParam().ok) {
        EXPECT_STREQ(a.setting->name, GetParam().field);
        EXPECT_EQ(a.value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Setting,
                         ::testing::Values(SettingCase{"space=30", true, "space", 30},
                                           SettingCase{"pattern=Rings waves 3", true, "pattern", 6},
                                           SettingCase{"space", false, "", 0},
                                           SettingCase{"spaces=3", false, "", 0},
                                           SettingCase{"autoUpdate=1", false, "", 0},
                                           SettingCase{"space=3mm", false, "", 0}));

}  // namespace
