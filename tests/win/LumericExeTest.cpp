// lumeric.exe end to end under wine: the real lumeric2.8bf loaded from
// disk, images through the Windows Imaging Component, the module's message
// boxes turned into console warnings, and clear refusals of modules it
// cannot load. Each run is a child process with a time limit, so that a
// window left open cannot hang the suite.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/image/WindowsFormats.h"
#include "cli/windows/WicFiles.h"
#include "cli/windows/WindowsText.h"
#include "tests/win/ChildProcess.h"

namespace {

const std::string kExe = WindowsPath(LUMERIC_EXE);
const std::string kModule = WindowsPath(LUMERIC_MODULE);
const std::string kSamples = WindowsPath(LUMERIC_SAMPLES_DIR);

std::string Sample(const char* name) { return kSamples + "\\" + name; }

Image ReadImage(const std::string& path, WindowsFormat* format = nullptr) {
    Image image;
    WindowsFormat read = WindowsFormat::Png;
    const std::string reason = ReadImageWithWic(WideFromCodePage(path), &image, &read);
    EXPECT_EQ(reason, "") << path;
    if (format) *format = read;
    return image;
}

// A piece of the picture at (200, 90), face and suit: strokes of every
// kind. `alpha` adds a soft transparency ramp as the last sample.
Image Piece(const Image& source, uint32_t width, uint32_t height, bool alpha = false) {
    Image out = source;
    out.width = width, out.height = height, out.hasAlpha = source.hasAlpha || alpha;
    AllocateSamples(out);
    const size_t in = size_t(SamplesPerPixel(source)), spp = size_t(SamplesPerPixel(out));
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            for (size_t c = 0; c < spp; ++c) {
                const size_t from = ((size_t(y) + 90) * source.width + x + 200) * in + c;
                const size_t to = (size_t(y) * width + x) * spp + c;
                const uint32_t full = source.depth == 16 ? 65535 : 255, ramp = full * x / (width - 1);
                const bool added = alpha && c == spp - 1;
                if (out.depth == 16) out.samples16[to] = uint16_t(added ? ramp : source.samples16[from]);
                else out.samples8[to] = uint8_t(added ? ramp : source.samples8[from]);
            }
    return out;
}

bool SamePixels(const Image& a, const Image& b) {
    return a.width == b.width && a.height == b.height && a.model == b.model && a.hasAlpha == b.hasAlpha &&
           a.depth == b.depth && a.samples8 == b.samples8 && a.samples16 == b.samples16;
}

class LumericExe : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int serial = 0;
        dir_ = std::string(temp) + "lumeric-exe-test-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(serial++);
        std::filesystem::remove_all(dir_);
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << dir_;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    ChildOutcome Lumeric(const std::vector<std::string>& args, DWORD milliseconds = 60000) {
        return RunChild(kExe, args, dir_, milliseconds);
    }
    void Write(const std::string& name, const Image& image, WindowsFormat format) {
        ASSERT_EQ(WriteImageWithWic(WideFromCodePage(Path(name)), image, format), "") << name;
    }
    // A 96 x 72 piece of the astronaut: face and suit, strokes of every kind.
    void WriteCrop(const std::string& name) {
        Write(name, Piece(ReadImage(Sample("astronaut.png")), 96, 72), WindowsFormat::Png);
    }

    std::string dir_;
};

// The module's message box becomes a warning on the console, and the run
// goes on with the pixels of a one-chunk run; the module named with
// --plugin is the one beside the program.
TEST_F(LumericExe, ASmallBudgetWarnsOnTheConsoleAndGivesTheSamePixels) {
    WriteCrop("in.png");
    const ChildOutcome plain = Lumeric({"engrave", Path("in.png"), Path("plain.png")});
    ASSERT_EQ(plain.exitCode, 0u) << plain.err;
    EXPECT_EQ(plain.err, "");
    const ChildOutcome small = Lumeric({"engrave", Path("in.png"), Path("small.png"), "--max-space", "3000"}, 30000);
    ASSERT_FALSE(small.timedOut) << "a message box was left open";
    ASSERT_EQ(small.exitCode, 0u) << small.err;
    EXPECT_NE(small.err.find("lumeric: warning: this image is very large"), std::string::npos) << small.err;
    const Image reference = ReadImage(Path("plain.png"));
    EXPECT_FALSE(SamePixels(reference, ReadImage(Path("in.png")))) << "nothing was engraved";
    EXPECT_TRUE(SamePixels(reference, ReadImage(Path("small.png"))));
    ASSERT_EQ(Lumeric({"engrave", Path("in.png"), Path("named.png"), "--plugin", kModule}).exitCode, 0u);
    EXPECT_TRUE(SamePixels(reference, ReadImage(Path("named.png"))));
}

// Another maker's filter: the probe uses every suite a real host offers,
// inverts the picture and counts in its first sample the resources it added
// in the runs before, which come back through --state.
TEST_F(LumericExe, RunsAnotherMakersFilterThatUsesEverySuite) {
    WriteCrop("in.png");
    const Image input = ReadImage(Path("in.png"));
    for (int run = 0; run < 2; ++run) {
        const ChildOutcome r = Lumeric({"engrave", Path("in.png"), Path("out.png"), "--force", "--plugin",
                                        WindowsPath(LUMERIC_SUITE_PROBE), "--state", Path("probe.state")});
        ASSERT_EQ(r.exitCode, 0u) << r.err;
        const Image out = ReadImage(Path("out.png"));
        ASSERT_EQ(out.samples8.size(), input.samples8.size());
        EXPECT_EQ(out.samples8[0], run);
        for (size_t i = 1; i < input.samples8.size(); ++i) ASSERT_EQ(out.samples8[i], 255 - input.samples8[i]) << i;
    }
}

// Each refusal is one line with the usage code, and nothing is written.
TEST_F(LumericExe, ModulesItCannotLoadAreRefusedWithAClearMessage) {
    WriteCrop("in.png");
    const std::string win32 = WindowsPath(LUMERIC_WIN32_MODULE);
    if (GetFileAttributesA(win32.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const char* required = std::getenv("LUMERIC_REQUIRE_WIN_MODULES");
        EXPECT_FALSE(required && std::string(required) == "1") << "the 32-bit module is missing: " << win32;
    }
    const std::pair<std::string, const char*> modules[] = {
        {win32, "a 32-bit (x86) module; this lumeric.exe is 64-bit (x64) and loads only 64-bit (x64) filter modules"},
        {WindowsPath(LUMERIC_NO_ENTRY_MODULE), "its PiPL names no entry point for 64-bit (x64) Windows"},
        {"Z:\\nonexistent\\nothing.8bf", "nothing.8bf: no such filter module"},
        {Sample("astronaut.png"), "not a Windows filter module"}};
    for (const auto& [path, expected] : modules) {
        if (path == win32 && GetFileAttributesA(win32.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        const ChildOutcome run = Lumeric({"engrave", Path("in.png"), Path("out.png"), "--plugin", path});
        EXPECT_EQ(run.exitCode, 1u) << path;
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("\n"), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_FALSE(Exists("out.png"));
    }
}

struct Conversion {
    const char* name;
    const char* sample;
    bool alpha;            // add a transparency ramp
    const char *in, *out;  // extensions
    const char* refusal;   // the message when the output format cannot hold the image
};

void PrintTo(const Conversion& c, std::ostream* out) { *out << c.name; }

class EveryKind : public LumericExe, public ::testing::WithParamInterface<Conversion> {};

// A kind comes back as itself, with its profile, in the format the output's
// extension names (an unknown one keeps the input's), or is refused
// without leaving a file behind. (Gray, and TIFF in and out, are read and
// written by the Windows-against-Linux comparison.)
TEST_P(EveryKind, ComesBackInTheFormatTheNameAsksForOrIsRefused) {
    const Conversion& c = GetParam();
    const Image input = Piece(ReadImage(Sample(c.sample)), 64, 48, c.alpha);
    const std::string in = std::string("in.") + c.in, out = std::string("out.") + c.out;
    WindowsFormat expected = WindowsFormat::Png;
    ASSERT_TRUE(WindowsFormatFromExtension(in, &expected));
    Write(in, input, expected);
    WindowsFormatFromExtension(out, &expected);
    const ChildOutcome run = Lumeric({"engrave", Path(in), Path(out)});
    if (*c.refusal) {
        EXPECT_EQ(run.exitCode, 3u);
        EXPECT_NE(run.err.find(c.refusal), std::string::npos) << run.err;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "an output was left behind";
        return;
    }
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    WindowsFormat format;
    const Image written = ReadImage(Path(out), &format);
    EXPECT_EQ(format, expected);
    EXPECT_EQ(written.width, input.width);
    EXPECT_EQ(written.height, input.height);
    EXPECT_EQ(written.model, input.model);
    EXPECT_EQ(written.hasAlpha, input.hasAlpha);
    EXPECT_EQ(written.depth, input.depth);
    EXPECT_EQ(written.iccProfile, format != WindowsFormat::Bmp ? input.iccProfile : std::vector<uint8_t>{});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryKind,
    ::testing::Values(
        Conversion{"PngRgb8WithProfile", "astronaut.png", false, "png", "png", ""},
        Conversion{"PngRgba16", "sunset-rgb16.png", true, "png", "png", ""},
        Conversion{"JpegRgb", "astronaut.png", false, "jpg", "jpg", ""},
        Conversion{"JpegCmyk", "astronaut-cmyk8.tif", false, "jpg", "jpg", ""},
        Conversion{"BmpRgb", "astronaut.png", false, "bmp", "bmp", ""},
        Conversion{"PngToTiff", "astronaut.png", false, "png", "tif", ""},
        Conversion{"PngToJpegInCapitals", "astronaut.png", false, "png", "JPG", ""},
        Conversion{"CmykTiffToJpeg", "astronaut-cmyk8.tif", false, "tif", "jpeg", ""},
        Conversion{"UnknownExtensionKeepsTheFormat", "astronaut.png", false, "png", "picture", ""},
        Conversion{"CmykToPng", "astronaut-cmyk8.tif", false, "tif", "png", "PNG cannot hold a CMYK image"},
        Conversion{"RgbaToJpeg", "astronaut-rgba.png", false, "png", "jpg", "JPEG holds only 8-bit images"},
        Conversion{"DeepToBmp", "sunset-rgb16.png", false, "png", "bmp", "BMP holds only 8-bit RGB images"}),
    [](const ::testing::TestParamInfo<Conversion>& info) { return std::string(info.param.name); });

TEST_F(LumericExe, ExitCodesAndMessagesNameTheFile) {
    WriteCrop("in.png");
    std::ofstream(Path("text.png")) << "not a picture";
    for (const char* name : {"astronaut.png", "astronaut-cmyk8.tif"}) {
        std::ifstream whole(Sample(name), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
        std::ofstream(Path(std::string("cut-") + name), std::ios::binary) << bytes.substr(0, bytes.size() / 3);
    }
    Image wide;  // black, wider than the command takes
    wide.width = 30001, wide.height = 1;
    AllocateSamples(wide);
    Write("wide.png", wide, WindowsFormat::Png);
    const std::pair<const char*, const char*> bad[] = {
        {"missing.png", "missing.png: cannot open"},
        {"text.png", "text.png: not a PNG, TIFF, JPEG or BMP file"},
        {"cut-astronaut.png", "cut-astronaut.png: the PNG file is truncated or damaged"},
        {"cut-astronaut-cmyk8.tif", "cut-astronaut-cmyk8.tif: the TIFF file is truncated or damaged"},
        {"wide.png", "wide.png: the image is too large (30001 x 1 pixels; at most 30000 pixels a side"}};
    for (const auto& [name, message] : bad) {
        const ChildOutcome run = Lumeric({"engrave", Path(name), Path("out.png")});
        EXPECT_EQ(run.exitCode, 2u) << name;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    ASSERT_EQ(Lumeric({"engrave", Path("in.png"), Path("out.png")}).exitCode, 0u);
    const ChildOutcome exists = Lumeric({"engrave", Path("in.png"), Path("out.png")});
    EXPECT_EQ(exists.exitCode, 3u);
    EXPECT_NE(exists.err.find("already exists"), std::string::npos) << exists.err;
    EXPECT_EQ(Lumeric({"engrave", Path("in.png"), Path("out.png"), "--force"}).exitCode, 0u);
    EXPECT_EQ(Lumeric({"engrave", "--no-such-option"}).exitCode, 1u);
    // A selection is read through the same decoders (Windows against Linux
    // compares one); a colour one is refused.
    const ChildOutcome colour = Lumeric({"engrave", Path("in.png"), Path("bad.png"), "--mask", Path("in.png")});
    EXPECT_EQ(colour.exitCode, 2u);
    EXPECT_NE(colour.err.find("a selection mask must be a gray image"), std::string::npos) << colour.err;
}

TEST_F(LumericExe, ABatchGoesIntoAFolderAndUnicodeNamesWork) {
    WriteCrop(u8"caf\u00e9.png");
    WriteCrop("b.png");
    const ChildOutcome run = Lumeric({"engrave", Path(u8"caf\u00e9.png"), Path("b.png"), "-o", Path("out")});
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_TRUE(Exists(u8"out\\caf\u00e9.png"));
    EXPECT_TRUE(Exists("out\\b.png"));
}

}  // namespace
