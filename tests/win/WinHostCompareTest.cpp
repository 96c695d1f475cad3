// lumeric.exe under wine against the Linux lumeric. Both drive the same
// module code through the same host code, so an engraving must come out
// sample for sample the same; only CMYK images may differ, by the two
// colour engines (Little CMS on Linux, Windows colour management with our
// black point compensation around it). The Windows runs of a test go
// through wine in one batch file: starting wine costs more than a run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"

namespace {

std::string Quote(const std::string& s) { return "'" + s + "'"; }

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

struct EngraveRun {
    std::string output;    // file name in the scratch folder
    std::string input;     // full Linux path
    std::vector<std::string> settings;  // NAME=VALUE
    std::string mask;                   // full Linux path, or empty
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
            std::string linux = std::string(LUMERIC_COMMAND) + " engrave " + Quote(run.input) + " " +
                                Quote(Path("linux-" + run.output));
            std::string windows = WindowsPath(LUMERIC_WIN64_LUMERIC) + " engrave \"" + WindowsPath(run.input) +
                                  "\" \"" + WindowsPath(Path("windows-" + run.output)) + "\"";
            for (const std::string& s : run.settings) {
                linux += " --set " + Quote(s);
                windows += " --set \"" + s + "\"";
            }
            if (!run.mask.empty()) {
                linux += " --mask " + Quote(run.mask);
                windows += " --mask \"" + WindowsPath(run.mask) + "\"";
            }
            ASSERT_EQ(std::system((linux + " 2>" + Quote(Path("linux.err"))).c_str()), 0)
                << linux << "\n" << Slurp(Path("linux.err"));
            // Not "||": wine's cmd runs its right side whatever the exit code.
            batch += windows + "\r\nif errorlevel 1 echo FAILED " + run.output + "\r\n";
        }
        std::ofstream(Path("runs.bat"), std::ios::binary) << batch;
        const std::string wine = "sh " + Quote(LUMERIC_WINE_RUN) + " cmd /c " + Quote(WindowsPath(Path("runs.bat"))) +
                                 " >" + Quote(Path("wine.out")) + " 2>&1 </dev/null";
        const int status = std::system(wine.c_str());
        const std::string log = Slurp(Path("wine.out"));
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;
        ASSERT_EQ(log.find("FAILED"), std::string::npos) << log;
    }

    void Read(const std::string& name, Image& image) {
        const ImageIoResult r = ReadImageFile(Path(name), image);
        ASSERT_TRUE(r.ok) << r.message;
    }

    // The same file kind and the same samples.
    void ExpectIdentical(const std::string& output) {
        Image linux, windows;
        Read("linux-" + output, linux);
        Read("windows-" + output, windows);
        EXPECT_EQ(windows.format, linux.format) << output;
        EXPECT_EQ(windows.model, linux.model) << output;
        EXPECT_EQ(windows.hasAlpha, linux.hasAlpha) << output;
        EXPECT_EQ(windows.depth, linux.depth) << output;
        EXPECT_EQ(windows.iccProfile, linux.iccProfile) << output;
        ASSERT_EQ(windows.width, linux.width);
        ASSERT_EQ(windows.height, linux.height);
        EXPECT_EQ(MaxSampleDifference(windows, linux), 0) << output;
    }
};

std::string Sample(const char* name) { return SamplesDir() + "/" + name; }

TEST_F(WindowsAgainstLinux, TheSamplePhotosAtDefaultSettingsAreIdentical) {
    // And one through a selection: a soft-edged disc in the middle.
    Image mask;
    mask.width = mask.height = 512;
    mask.model = ColorModel::Gray;
    AllocateSamples(mask);
    for (uint32_t y = 0; y < 512; ++y)
        for (uint32_t x = 0; x < 512; ++x) {
            const double r = std::hypot(double(x) - 256, double(y) - 256);
            mask.samples8[size_t(y) * 512 + x] = uint8_t(std::min(255.0, std::max(0.0, (200 - r) * 8)));
        }
    ASSERT_TRUE(WriteImageFile(Path("disc.png"), mask).ok);
    RunBoth({{"astronaut.png", Sample("astronaut.png"), {}, ""},
             {"astronaut-rgba.png", Sample("astronaut-rgba.png"), {}, ""},
             {"sunset-rgb16.png", Sample("sunset-rgb16.png"), {}, ""},
             {"astronaut-disc.png", Sample("astronaut.png"), {"pattern=Rings"}, Path("disc.png")}});
    for (const char* name : {"astronaut.png", "astronaut-rgba.png", "sunset-rgb16.png", "astronaut-disc.png"})
        ExpectIdentical(name);
}

TEST_F(WindowsAgainstLinux, EveryPatternInEverySchemaIsIdentical) {
    // A 96 x 72 piece of the astronaut's face and suit: every pattern meets
    // dark, light and coloured areas.
    Image photo;
    ASSERT_TRUE(ReadImageFile(Sample("astronaut.png"), photo).ok);
    Image crop = photo;
    crop.width = 96;
    crop.height = 72;
    AllocateSamples(crop);
    for (uint32_t y = 0; y < crop.height; ++y)
        for (uint32_t x = 0; x < crop.width * 3; ++x)
            crop.samples8[(size_t(y) * crop.width) * 3 + x] = photo.samples8[(size_t(y + 90) * photo.width + 200) * 3 + x];
    ASSERT_TRUE(WriteImageFile(Path("crop.png"), crop).ok);

    std::vector<EngraveRun> runs;
    for (int pattern = 0; pattern <= 12; ++pattern) {
        for (int schema = 0; schema <= 2; ++schema) {
            runs.push_back({"p" + std::to_string(pattern) + "-s" + std::to_string(schema) + ".png", Path("crop.png"),
                            {"pattern=" + std::to_string(pattern), "colorSchema=" + std::to_string(schema)},
                            ""});
        }
    }
    RunBoth(runs);
    for (const EngraveRun& run : runs) ExpectIdentical(run.output);
}

// How far two CMYK engravings lie apart, as fractions of full scale.
struct CmykDistance {
    double mean = 0;          // mean absolute difference of all samples
    double within10 = 0;      // share of samples within 10 % of full scale
    double worstInkMean = 0;  // largest difference of a channel's mean ink
};

CmykDistance Distance(const Image& a, const Image& b) {
    const double full = a.depth == 16 ? 65535.0 : 255.0;
    const size_t n = a.depth == 16 ? a.samples16.size() : a.samples8.size();
    const int spp = SamplesPerPixel(a);
    double sum = 0, channelA[5] = {}, channelB[5] = {};
    size_t close = 0;
    for (size_t i = 0; i < n; ++i) {
        const double va = a.depth == 16 ? a.samples16[i] : a.samples8[i];
        const double vb = b.depth == 16 ? b.samples16[i] : b.samples8[i];
        const double d = std::fabs(va - vb) / full;
        sum += d;
        close += d <= 0.10;
        channelA[i % size_t(spp)] += va;
        channelB[i % size_t(spp)] += vb;
    }
    CmykDistance distance;
    distance.mean = sum / double(n);
    distance.within10 = double(close) / double(n);
    for (int c = 0; c < spp; ++c)
        distance.worstInkMean = std::max(distance.worstInkMean,
                                         std::fabs(channelA[c] - channelB[c]) / (double(n) / spp) / full);
    return distance;
}

TEST_F(WindowsAgainstLinux, CmykSamplesAgreeWithinTheColourEnginesDifference) {
    // One more with the profile embedded in the file: both sides then open
    // it from the image instead of their default.
    Image embedded;
    ASSERT_TRUE(ReadImageFile(Sample("astronaut-cmyk8.tif"), embedded).ok);
    embedded.iccProfile = DefaultCmykProfileBytes();
    ASSERT_FALSE(embedded.iccProfile.empty());
    ASSERT_TRUE(WriteImageFile(Path("embedded.tif"), embedded).ok);
    RunBoth({{"cmyk8.tif", Sample("astronaut-cmyk8.tif"), {}, ""},
             {"cmyk16.tif", Sample("astronaut-cmyk16.tif"), {}, ""},
             {"embedded.tif", Path("embedded.tif"), {"colorSchema=Initial color"}, ""}});
    for (const char* name : {"cmyk8.tif", "cmyk16.tif", "embedded.tif"}) {
        Image linux, windows;
        Read(std::string("linux-") + name, linux);
        Read(std::string("windows-") + name, windows);
        ASSERT_EQ(windows.model, ColorModel::Cmyk);
        EXPECT_EQ(windows.iccProfile, linux.iccProfile) << name;
        ASSERT_EQ(windows.depth, linux.depth);
        ASSERT_EQ(windows.width, linux.width);
        ASSERT_EQ(windows.height, linux.height);
        const CmykDistance d = Distance(windows, linux);
        // The two black point compensations differ a little in the darkest
        // colours (measured: mean 0.22 %, 99.7 % within 10 %, ink means
        // within 0.19 %); without any compensation it was 3.1 %, 91 %, 2.4 %.
        EXPECT_LT(d.mean, 0.006) << name;
        EXPECT_GT(d.within10, 0.99) << name;
        EXPECT_LT(d.worstInkMean, 0.006) << name;
        std::printf("%s: mean difference %.2f %%, %.1f %% of samples within 10 %%, channel ink means within %.2f %%\n",
                    name, 100 * d.mean, 100 * d.within10, 100 * d.worstInkMean);
    }
}

// Ctrl-C reaches lumeric.exe through wine as the console's control event:
// the run stops, exit code 5, and neither the output nor a temporary file
// is left behind.
TEST_F(WindowsAgainstLinux, CtrlCCancelsTheRunAndWritesNothing) {
    Image big;
    big.width = big.height = 4000;
    big.model = ColorModel::Gray;
    AllocateSamples(big);
    for (size_t i = 0; i < big.samples8.size(); ++i) big.samples8[i] = uint8_t((i % 4000) * 255 / 3999);
    ASSERT_TRUE(WriteImageFile(Path("big.png"), big).ok);

    // wine-run.sh execs wine, which becomes the Windows process: $! is its id.
    const std::string start = "sh " + Quote(LUMERIC_WINE_RUN) + " " + Quote(LUMERIC_WIN64_LUMERIC) + " engrave " +
                              Quote(WindowsPath(Path("big.png"))) + " " + Quote(WindowsPath(Path("out.png"))) +
                              " --set space=5 --progress >" + Quote(Path("run.log")) + " 2>&1 </dev/null & echo $! >" +
                              Quote(Path("pid"));
    std::ofstream(Path("start.sh")) << start << "\n";
    ASSERT_EQ(std::system(("sh " + Quote(Path("start.sh"))).c_str()), 0);
    std::string pid = Slurp(Path("pid"));
    while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' ')) pid.pop_back();
    ASSERT_FALSE(pid.empty());
    const std::string alive = "kill -0 " + pid + " 2>/dev/null";
    // Interrupt once the engraving runs (its progress bar has moved).
    bool running = false;
    for (int i = 0; i < 600 && !running && std::system(alive.c_str()) == 0; ++i) {
        running = Slurp(Path("run.log")).find('%') != std::string::npos;
        if (!running) std::system("sleep 0.1");
    }
    ASSERT_TRUE(running) << Slurp(Path("run.log"));
    ASSERT_EQ(std::system(("kill -INT " + pid).c_str()), 0);
    for (int i = 0; i < 600 && std::system(alive.c_str()) == 0; ++i) std::system("sleep 0.1");
    const std::string log = Slurp(Path("run.log"));
    EXPECT_NE(log.find("cancelled; nothing written"), std::string::npos) << log;
    std::ifstream output(Path("out.png"));
    EXPECT_FALSE(output.good()) << "an output was written";
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Dir())) files += entry.is_regular_file();
    EXPECT_EQ(files, 4u) << "big.png, start.sh, pid and run.log only";
}

}  // namespace
