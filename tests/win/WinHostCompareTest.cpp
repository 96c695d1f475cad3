// lumeric.exe under wine against the Linux lumeric. Both drive the same
// module code through the same host code, so an engraving must come out
// sample for sample the same; only CMYK images may differ, by the two
// colour engines (Little CMS on Linux, Windows colour management with our
// black point compensation around it). The Windows runs go through wine in
// one batch file: starting wine costs more than a run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/support/TestFiles.h"

extern char** environ;

namespace {

struct EngraveRun {
    std::string output;  // file name in the scratch folder
    std::string input;   // full Linux path
    std::string setting;  // NAME=VALUE, or empty
    std::string mask;     // full Linux path, or empty
};

class WindowsAgainstLinux : public ScratchDir {
protected:
    void SetUp() override {
        ScratchDir::SetUp();
        if (!std::ifstream(LUMERIC_WIN64_LUMERIC)) {
            const char* required = std::getenv("LUMERIC_REQUIRE_WIN_MODULES");
            if (required && std::string(required) == "1") FAIL() << "missing: " << LUMERIC_WIN64_LUMERIC;
            GTEST_SKIP() << "lumeric.exe not built: " << LUMERIC_WIN64_LUMERIC
                         << " (make win64 first, or set LUMERIC_REQUIRE_WIN_MODULES=1 to fail)";
        }
    }

    // Each run once with the Linux command ("linux-" + output) and once with
    // lumeric.exe under wine ("windows-" + output).
    void RunBoth(const std::vector<EngraveRun>& runs) {
        std::string batch = "@echo off\r\n";
        for (const EngraveRun& run : runs) {
            std::string linux = std::string(LUMERIC_COMMAND) + " engrave " + ShellQuote(run.input) + " " +
                                ShellQuote(Path("linux-" + run.output));
            std::string windows = WindowsPath(LUMERIC_WIN64_LUMERIC) + " engrave \"" + WindowsPath(run.input) +
                                  "\" \"" + WindowsPath(Path("windows-" + run.output)) + "\"";
            if (!run.setting.empty()) {
                linux += " --set " + ShellQuote(run.setting);
                windows += " --set \"" + run.setting + "\"";
            }
            if (!run.mask.empty()) {
                linux += " --mask " + ShellQuote(run.mask);
                windows += " --mask \"" + WindowsPath(run.mask) + "\"";
            }
            ASSERT_EQ(std::system((linux + " 2>" + ShellQuote(Path("linux.err"))).c_str()), 0)
                << linux << "\n" << ReadText(Path("linux.err"));
            // Not "||": wine's cmd runs its right side whatever the exit code.
            batch += windows + "\r\nif errorlevel 1 echo FAILED " + run.output + "\r\n";
        }
        std::ofstream(Path("runs.bat"), std::ios::binary) << batch;
        const std::string wine = "sh " + ShellQuote(LUMERIC_WINE_RUN) + " cmd /c " + ShellQuote(WindowsPath(Path("runs.bat"))) +
                             " >" + ShellQuote(Path("wine.out")) + " 2>&1 </dev/null";
        const int status = std::system(wine.c_str());
        const std::string log = ReadText(Path("wine.out"));
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;
        ASSERT_EQ(log.find("FAILED"), std::string::npos) << log;
    }

    void ReadBoth(const std::string& output, Image& linux, Image& windows) {
        ASSERT_TRUE(ReadImageFile(Path("linux-" + output), linux).ok) << output;
        ASSERT_TRUE(ReadImageFile(Path("windows-" + output), windows).ok) << output;
        EXPECT_EQ(windows.format, linux.format) << output;
        EXPECT_EQ(windows.model, linux.model) << output;
        EXPECT_EQ(windows.hasAlpha, linux.hasAlpha) << output;
        EXPECT_EQ(windows.tiff.alphaKind, linux.tiff.alphaKind) << output;
        EXPECT_EQ(windows.iccProfile, linux.iccProfile) << output;
        ASSERT_EQ(windows.depth, linux.depth) << output;
        ASSERT_EQ(SampleCount(windows), SampleCount(linux)) << output;
    }
};

std::string Sample(const char* name) { return SamplesDir() + "/" + name; }

// How far two CMYK engravings lie apart, as fractions of full scale: the
// mean difference of all samples, the share within 10 %, and the largest
// difference of one channel's mean ink.
struct CmykDistance { double mean, within10, worstInkMean; };

CmykDistance Distance(const Image& a, const Image& b) {
    const double full = a.depth == 16 ? 65535.0 : 255.0;
    const size_t n = SampleCount(a), spp = size_t(SamplesPerPixel(a));
    double sum = 0, channelA[5] = {}, channelB[5] = {};
    size_t close = 0;
    for (size_t i = 0; i < n; ++i) {
        const double va = a.depth == 16 ? a.samples16[i] : a.samples8[i];
        const double vb = b.depth == 16 ? b.samples16[i] : b.samples8[i];
        sum += std::fabs(va - vb) / full;
        close += std::fabs(va - vb) / full <= 0.10;
        channelA[i % spp] += va;
        channelB[i % spp] += vb;
    }
    CmykDistance distance{sum / double(n), double(close) / double(n), 0};
    for (size_t c = 0; c < spp; ++c)
        distance.worstInkMean =
            std::max(distance.worstInkMean, std::fabs(channelA[c] - channelB[c]) / double(n / spp) / full);
    return distance;
}

// One run of each kind of image: gray, 8 and 16-bit RGB, transparency, a
// soft selection, PNG and TIFF, CMYK with the default
// profile and with one embedded in the file (both sides then open it from
// the image).
TEST_F(WindowsAgainstLinux, EveryKindOfImageComesOutTheSame) {
    // A soft selection: every level from none to all.
    ASSERT_TRUE(WriteImageFile(Path("mask.png"), MakeGradientImage(FileFormat::Png, ColorModel::Gray, 512, 512)).ok);
    // Kinds the samples lack, written here: each goes through its own pixel
    // layout of the Windows Imaging Component, or the TIFF writer. "Split
    // color" treats each channel apart, so that a channel out of place shows.
    const std::pair<std::string, Image> made[] = {
        {"gray8.png", MakeNoiseImage(FileFormat::Png, ColorModel::Gray, false, 8, 64, 48, 3)},
        {"graya16.png", MakeNoiseImage(FileFormat::Png, ColorModel::Gray, true, 16, 64, 48, 3)},
        {"rgba16.tif", MakeNoiseImage(FileFormat::Tiff, ColorModel::Rgb, true, 16, 64, 48, 3)},
        {"rgb8.tif", MakeNoiseImage(FileFormat::Tiff, ColorModel::Rgb, false, 8, 64, 48, 3)}};
    std::vector<EngraveRun> runs;
    std::vector<std::string> identical = {"rgb8.png", "rgba8.png", "rgb16.png", "masked.png"};
    for (const auto& [name, image] : made) {
        ASSERT_TRUE(WriteImageFile(Path(name), image).ok);
        runs.push_back({"made-" + name, Path(name), "colorSchema=Split color", ""});
        identical.push_back("made-" + name);
    }
    Image embedded;
    ASSERT_TRUE(ReadImageFile(Sample("astronaut-cmyk8.tif"), embedded).ok);
    embedded.iccProfile = IccProfile("default_cmyk.icc");
    ASSERT_TRUE(WriteImageFile(Path("embedded.tif"), embedded).ok);
    runs.insert(runs.end(), {{"rgb8.png", Sample("astronaut.png"), "colorSchema=Split color", ""},
                             {"rgba8.png", Sample("astronaut-rgba.png"), "colorSchema=Split color", ""},
                             {"rgb16.png", Sample("sunset-rgb16.png"), "colorSchema=Split color", ""},
                             {"masked.png", Sample("astronaut.png"), "pattern=Rings", Path("mask.png")},
                             {"cmyk16.tif", Sample("astronaut-cmyk16.tif"), "", ""},
                             {"embedded.tif", Path("embedded.tif"), "colorSchema=Initial color", ""}});
    RunBoth(runs);
    for (const std::string& name : identical) {
        Image linux, windows;
        ReadBoth(name, linux, windows);
        EXPECT_EQ(MaxSampleDifference(windows, linux), 0) << name;
    }
    for (const char* name : {"cmyk16.tif", "embedded.tif"}) {
        Image linux, windows;
        ReadBoth(name, linux, windows);
        const CmykDistance d = Distance(windows, linux);
        // The two black point compensations differ a little in the darkest
        // colours (measured: mean 0.22 %, 99.7 % within 10 %, ink means
        // within 0.19 %); without any compensation it was 3.1 %, 91 %, 2.4 %.
        EXPECT_LT(d.mean, 0.006) << name;
        EXPECT_GT(d.within10, 0.99) << name;
        EXPECT_LT(d.worstInkMean, 0.006) << name;
    }
}

// Ctrl-C reaches lumeric.exe through wine as the console's control event:
// the run stops with exit code 5, and neither the output nor a temporary
// file is left behind.
TEST_F(WindowsAgainstLinux, CtrlCCancelsTheRunAndWritesNothing) {
    Image big = MakeGradientImage(FileFormat::Png, ColorModel::Gray, 4000, 4000);
    ASSERT_TRUE(WriteImageFile(Path("big.png"), big).ok);
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    fcntl(output[0], F_SETPIPE_SZ, 1 << 20);  // all the run will say, while we wait for its end
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, output[1], 2);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    const std::string in = WindowsPath(Path("big.png")), out = WindowsPath(Path("out.png"));
    const char* argv[] = {"sh", LUMERIC_WINE_RUN, LUMERIC_WIN64_LUMERIC, "engrave", in.c_str(), out.c_str(),
                          "--set", "space=5", "--progress", nullptr};
    pid_t pid = 0;  // wine-run.sh execs wine, which becomes the Windows process
    ASSERT_EQ(posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    // Interrupt once the engraving runs: its progress bar has moved.
    std::string log;
    char buffer[4096];
    for (ssize_t n; log.find('%') == std::string::npos && (n = read(output[0], buffer, sizeof buffer)) > 0;)
        log.append(buffer, size_t(n));
    ASSERT_NE(log.find('%'), std::string::npos) << log;
    ASSERT_EQ(kill(pid, SIGINT), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    // Whatever wine started meanwhile may hold the pipe open: take what is there.
    fcntl(output[0], F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;) log.append(buffer, size_t(n));
    close(output[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 5) << status;
    EXPECT_NE(log.find("cancelled; nothing written"), std::string::npos) << log;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(Dir())) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"big.png"}) << "an output or a temporary file was left";
}

}  // namespace
