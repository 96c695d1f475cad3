// The dialog with real input: lumeric.exe under wine, worked through X
// events (drive-dialog.sh), writes an engraving and records its settings;
// the Linux command replaying them writes the very same pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/image/ImageIo.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(DialogRealInput, OkEngravesWithWhatTheUserChose) {
    if (!std::ifstream(LUMERIC_WIN64_LUMERIC)) {
        const char* required = std::getenv("LUMERIC_REQUIRE_WIN_MODULES");
        if (required && std::string(required) == "1") FAIL() << "missing: " << LUMERIC_WIN64_LUMERIC;
        GTEST_SKIP() << "lumeric.exe not built (make win64)";
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "lumeric-real-input";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string input = LUMERIC_SOURCE_DIR "/samples/astronaut.png";
    const std::string windows = (folder / "windows.png").string(), linux = (folder / "linux.png").string();
    const std::string action = (folder / "chosen.json").string();
    ASSERT_EQ(std::system(("sh " LUMERIC_SOURCE_DIR "/tests/dialog/drive-dialog.sh " + ShellQuote(LUMERIC_WIN64_LUMERIC) +
                           " " + ShellQuote(input) + " " + ShellQuote(windows) + " " + ShellQuote(action))
                              .c_str()),
              0);

    std::stringstream recorded;
    recorded << std::ifstream(action).rdbuf();
    for (const char* item : {"\"Angl\", \"type\": \"UntF\", \"unit\": \"#Prc\", \"value\": 180}",
                             "\"Spac\", \"type\": \"UntF\", \"unit\": \"#Prc\", \"value\": 33}",
                             "\"Geom\", \"type\": \"long\", \"value\": 8}"})
        EXPECT_NE(recorded.str().find(item), std::string::npos) << item << " not in\n" << recorded.str();

    ASSERT_EQ(std::system((LUMERIC_COMMAND " engrave " + ShellQuote(input) + " " + ShellQuote(linux) + " --quiet --replay " +
                           ShellQuote(action))
                              .c_str()),
              0);
    Image a, b;
    ASSERT_TRUE(ReadImageFile(windows, a).ok);
    ASSERT_TRUE(ReadImageFile(linux, b).ok);
    EXPECT_EQ(a.width, b.width);
    EXPECT_TRUE(a.samples8 == b.samples8) << "the Windows engraving differs from the Linux replay";
    std::filesystem::remove_all(folder);
}

}  // namespace
