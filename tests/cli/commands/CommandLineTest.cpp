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
    ASSERT_TRUE(Parse({"engrave", "in.png", "out.png", "--set=pattern=Spiral", "-f", "--max-space", "64k", "-j", "3"},
                      &line, &error))
        << error;
    EXPECT_EQ(line.kind, CommandKind::Engrave);
    EXPECT_EQ(line.inputs, std::vector<std::string>{"in.png"});
    EXPECT_EQ(line.output, "out.png");
    EXPECT_EQ(line.sets, std::vector<std::string>{"pattern=Spiral"});
    EXPECT_TRUE(line.force);
    EXPECT_EQ(line.maxSpace, 65536);
    EXPECT_EQ(line.threads, 3);
    ASSERT_TRUE(Parse({"engrave", "a.png", "b.tif", "c.jpg", "-o", "out"}, &line, &error)) << error;
    EXPECT_EQ(line.inputs, (std::vector<std::string>{"a.png", "b.tif", "c.jpg"}));
    EXPECT_EQ(line.outputDir, "out");
}

TEST(CommandLine, UsageErrorsAreRefusedWithTheirReason) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"engrave", "in.png"}, "needs an input and an output"},
        {{"engrave", "a", "b", "c"}, "needs an input and an output"},
        {{"engrave", "-o", "dir"}, "at least one input"},
        {{"engrave", "a", "b", "--bogus"}, "unknown option --bogus"},
        {{"engrave", "a", "b", "--set"}, "--set needs NAME=VALUE"},
        {{"engrave", "a", "b", "--max-space", "lots"}, "--max-space"},
        {{"engrave", "a", "b", "--threads", "65"}, "--threads wants a whole number from 1 to 64"},
        {{"engrave", "a", "b", "-j", "0"}, "--threads wants"},
        {{"engrave", "a", "b", "--tiled=1"}, "takes no value"},
        {{"engrave", "a", "b", "--replay", "x.json", "--preset", "p.lmv"}, "cannot be combined"},
        {{"frobnicate"}, "unknown command"},
        {{"preset", "load", "x"}, "preset show FILE"},
        {{"preset", "show", "x", "--set", "a=1"}, "no --preset or --set"},
        {{"about", "x"}, "no arguments"}};
    for (const auto& [args, message] : cases) {
        CommandLine line;
        std::string error;
        EXPECT_FALSE(Parse(args, &line, &error)) << message;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

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

// Names and values of --set; the dialog's preferences are not settings.
TEST(CommandLine, SettingsParseNamesAndValues) {
    const struct {
        const char* text;
        bool ok;
        const char* field;
        double value;
    } cases[] = {{"space=30", true, "space", 30},   {"pattern=Rings waves 3", true, "pattern", 6},
                 {"space", false, "", 0},          {"spaces=3", false, "", 0},
                 {"autoUpdate=1", false, "", 0},   {"space=3mm", false, "", 0}};
    for (const auto& c : cases) {
        SettingAssignment a{};
        std::string error;
        EXPECT_EQ(ParseSetting(c.text, &a, &error), c.ok) << c.text << ": " << error;
        if (!c.ok) continue;
        EXPECT_STREQ(a.setting->name, c.field);
        EXPECT_EQ(a.value, c.value) << c.text;
    }
}

}  // namespace
