// The lumeric command end to end: the built program run on real files,
// against the module driven directly and against an independent host.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/color/ColorEngine.h"
#include "cli/commands/Settings.h"
#include "cli/image/ImageIo.h"
#include "cli/image/InterfacePixels.h"
#include "cli/session/HostSession.h"
#include "module/PluginMain.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TestFiles.h"

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class Command : public ScratchDir {
protected:
    // Runs lumeric with `args`, "{d}" standing for the scratch folder.
    Outcome Run(std::string args) {
        for (size_t at; (at = args.find("{d}")) != std::string::npos;) args.replace(at, 3, Dir());
        const std::string out = Path("stdout.txt"), err = Path("stderr.txt");
        const int status = std::system((LUMERIC_COMMAND " " + args + " >" + out + " 2>" + err).c_str());
        return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
    }
    void Write(const std::string& name, const Image& image) {
        ASSERT_TRUE(WriteImageFile(Path(name), image).ok) << name;
    }
    void WriteText(const std::string& name, const std::string& text) {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    bool Exists(const std::string& name) { return std::filesystem::exists(Path(name)); }
};

InterfaceImage ReadInterface(const std::string& path, Image* file = nullptr) {
    Image image;
    const ImageIoResult r = ReadImageFile(path, image);
    EXPECT_TRUE(r.ok) << r.message;
    if (file) *file = image;
    return ToInterfaceImage(image);
}

// The module driven directly through a host session, defaults, no files.
InterfaceImage EngraveDirectly(const std::string& path, const std::vector<uint8_t>* mask = nullptr) {
    Image file;
    InterfaceImage image = ReadInterface(path, &file);
    std::string error;
    std::shared_ptr<ColorEngine> engine(ColorEngine::CreateFor(file, error).release());
    SessionOptions options;
    options.haveDescriptor = true;
    options.play = DescriptorFromSettings(DefaultEngraveSettings());
    options.mask = mask;
    options.color.convert8 = [engine](int16_t a, int16_t b, Color8* c, int n) {
        return engine->Convert8(a, b, c, n) == ColorStatus::Ok;
    };
    options.color.convert16 = [engine](int16_t a, int16_t b, Color16* c, int n) {
        return engine->Convert16(a, b, c, n) == ColorStatus::Ok;
    };
    HostSession session(&PluginMain, &image, options);
    EXPECT_EQ(session.Run().error, noErr);
    return image;
}

struct Kind {
    const char* name;
    FileFormat format;
    ColorModel model;
    bool alpha;
    int depth;
    const char* ext;
};

class EveryInputKind : public Command, public ::testing::WithParamInterface<Kind> {};

TEST_P(EveryInputKind, GivesTheSameKindWithTheModulesPixels) {
    const Kind& k = GetParam();
    Image input = MakeNoiseImage(k.format, k.model, k.alpha, k.depth, 61, 43, 7);
    if (k.model == ColorModel::Cmyk) input.iccProfile = IccProfile("default_cmyk.icc");
    const std::string in = std::string("in.") + k.ext, out = std::string("out.") + k.ext;
    Write(in, input);
    const Outcome o = Run("engrave {d}/" + in + " {d}/" + out);
    ASSERT_EQ(o.code, 0) << o.err;
    Image written;
    const InterfaceImage result = ReadInterface(Path(out), &written);
    EXPECT_EQ(written.format, k.format);
    EXPECT_EQ(written.model, k.model == ColorModel::Gray ? ColorModel::Rgb : k.model);
    EXPECT_EQ(written.hasAlpha, k.alpha);
    EXPECT_EQ(written.depth, k.depth);
    EXPECT_EQ(written.iccProfile, input.iccProfile);
    if (k.format == FileFormat::Jpeg) return;  // lossy: the kind is what can be checked
    EXPECT_EQ(result.pixels, EngraveDirectly(Path(in)).pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EveryInputKind,
    ::testing::Values(Kind{"png_gray8", FileFormat::Png, ColorModel::Gray, false, 8, "png"},
                      Kind{"png_graya16", FileFormat::Png, ColorModel::Gray, true, 16, "png"},
                      Kind{"tiff_cmyk8", FileFormat::Tiff, ColorModel::Cmyk, false, 8, "tif"},
                      Kind{"tiff_cmyka16", FileFormat::Tiff, ColorModel::Cmyk, true, 16, "tif"},
                      Kind{"jpeg_rgb", FileFormat::Jpeg, ColorModel::Rgb, false, 8, "jpg"},
                      Kind{"jpeg_cmyk", FileFormat::Jpeg, ColorModel::Cmyk, false, 8, "jpg"}),
    [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

TEST_F(Command, AnIndependentHostGetsTheSamePixels) {
    Write("in.png", MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, true, 8, 50, 37, 3));
    ASSERT_EQ(Run("engrave {d}/in.png {d}/out.png").code, 0);
    const InterfaceImage in = ReadInterface(Path("in.png"));
    const std::vector<uint16_t> samples(in.pixels.begin(), in.pixels.end());
    FakeHost host(FakeImage{in.width, in.height, in.planes, 8, plugInModeRGBColor, samples});
    ASSERT_EQ(host.Run(false), noErr);
    const InterfaceImage out = ReadInterface(Path("out.png"));
    EXPECT_EQ(std::vector<uint16_t>(out.pixels.begin(), out.pixels.end()), host.image().samples);
    EXPECT_NE(host.image().samples, samples) << "nothing was engraved";
}

TEST_F(Command, TiledAndSmallBudgetRunsGiveTheSamePixels) {
    const std::string in = SamplesDir() + "/astronaut-cmyk16.tif";
    ASSERT_EQ(Run("engrave " + in + " {d}/whole.tif").code, 0);
    const Outcome tiled = Run("engrave " + in + " {d}/tiled.tif --tiled --max-space 300k");
    ASSERT_EQ(tiled.code, 0) << tiled.err;
    EXPECT_NE(tiled.err.find("lumeric: warning: this image is very large"), std::string::npos) << tiled.err;
    ASSERT_EQ(Run("engrave " + in + " {d}/chunks.tif --max-space 1M").code, 0);
    const InterfaceImage whole = ReadInterface(Path("whole.tif"));
    EXPECT_EQ(ReadInterface(Path("tiled.tif")).pixels, whole.pixels);
    EXPECT_EQ(ReadInterface(Path("chunks.tif")).pixels, whole.pixels);
}

TEST_F(Command, AMaskSelectsWhatIsEngraved) {
    Write("in.png", MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 40, 30, 9));
    Image mask = MakeGradientImage(FileFormat::Png, ColorModel::Gray, 40, 30);
    for (size_t i = 0; i < mask.samples8.size(); ++i) mask.samples8[i] = (i % 40) < 20 ? 0 : 255;
    Write("mask.png", mask);
    const Outcome o = Run("engrave {d}/in.png {d}/out.png --mask {d}/mask.png");
    ASSERT_EQ(o.code, 0) << o.err;
    const InterfaceImage out = ReadInterface(Path("out.png"));
    EXPECT_EQ(out.pixels, EngraveDirectly(Path("in.png"), &mask.samples8).pixels);
    EXPECT_NE(out.pixels, EngraveDirectly(Path("in.png")).pixels) << "the mask made no difference";
}

// Settings reach the next run through an action file or the state file.
TEST_F(Command, RecordReplayAndStateCarryTheSettings) {
    Write("in.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 64, 48));
    const Outcome first = Run("engrave {d}/in.png {d}/a.png --set pattern=\"Rings waves 2\" --set space=31.5"
                              " --set noAntialias=1 --record {d}/action.json --state {d}/state.bin");
    ASSERT_EQ(first.code, 0) << first.err;
    ASSERT_EQ(Run("engrave {d}/in.png {d}/b.png --replay {d}/action.json").code, 0);
    ASSERT_EQ(Run("engrave {d}/in.png {d}/c.png --state {d}/state.bin").code, 0);
    ASSERT_EQ(Run("engrave {d}/in.png {d}/d.png").code, 0);
    EXPECT_EQ(ReadBytes(Path("a.png")), ReadBytes(Path("b.png"))) << "replayed";
    EXPECT_EQ(ReadBytes(Path("a.png")), ReadBytes(Path("c.png"))) << "kept in the state";
    EXPECT_NE(ReadBytes(Path("a.png")), ReadBytes(Path("d.png"))) << "the settings made no difference";
    WriteText("bad.bin", "not a state");
    const Outcome bad = Run("engrave {d}/in.png {d}/e.png --state {d}/bad.bin");
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("bad.bin: not a lumeric state file"), std::string::npos) << bad.err;
}

TEST_F(Command, PresetSaveThenShowRoundTrips) {
    const Outcome save = Run("preset save {d}/mine.lmv --set rotation=12.5 --set pattern=\"Spiral waves 3\"");
    ASSERT_EQ(save.code, 0) << save.err;
    EXPECT_EQ(ReadText(Path("mine.lmv")).rfind("Corvessa Lumeric\nlgnA 12.500000 \t\t\t\t;Rotation \n", 0), 0u);
    const Outcome show = Run("preset show {d}/mine.lmv");
    ASSERT_EQ(show.code, 0) << show.err;
    EXPECT_EQ(show.out.rfind("rotation = 12.5\noffset = 0\nspace = 20\n", 0), 0u) << show.out;
    EXPECT_NE(show.out.find("pattern = Spiral waves 3\n"), std::string::npos);
    EXPECT_EQ(std::count(show.out.begin(), show.out.end(), '\n'), 21);
    EXPECT_EQ(Run("preset save {d}/mine.lmv").code, 3) << "no overwrite without --force";
    EXPECT_EQ(Run("preset save {d}/mine.lmv --force --preset {d}/mine.lmv --set space=40").code, 0);
    const std::string merged = Run("preset show {d}/mine.lmv").out;
    EXPECT_NE(merged.find("space = 40\n"), std::string::npos) << merged;
    EXPECT_NE(merged.find("rotation = 12.5\n"), std::string::npos) << merged;
}

TEST_F(Command, BatchReportsABadFileAndGoesOn) {
    Write("a.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 20, 16));
    WriteText("b.png", "this is text, not a picture");
    Write("c.tif", MakeGradientImage(FileFormat::Tiff, ColorModel::Rgb, 20, 16));
    const Outcome o = Run("engrave {d}/a.png {d}/b.png {d}/c.tif -o {d}/out");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("b.png: "), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("engraved 2 of 3 images"), std::string::npos) << o.err;
    EXPECT_TRUE(Exists("out/a.png") && Exists("out/c.tif"));
    EXPECT_FALSE(Exists("out/b.png"));
    WriteText("out/a.png", "precious");
    EXPECT_EQ(Run("engrave {d}/a.png -o {d}/out --force").code, 0);
    EXPECT_NE(ReadText(Path("out/a.png")), "precious") << "--force replaces an output";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("out")), {}), 2) << "a temporary was left";
}

// A clear message and the exit code, no output and no temporary file, and
// an existing output left as it was. (The usage errors' messages are the
// parser's, CommandLineTest; here the exit code of one.)
TEST_F(Command, BadInputsAreRefusedClearly) {
    Write("good.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 24, 18));
    WriteText("bad.json", "{\"lumericAction\": 1, \"descriptor\": [ {\"key\": 5} ]}");
    WriteText("bad.lmv", "Max Vant");
    Write("small-mask.png", MakeGradientImage(FileFormat::Png, ColorModel::Gray, 5, 5));
    WriteText("old.png", "precious");
    const struct {
        const char* args;
        int code;
        const char* message;
    } cases[] = {
        {"engrave {d}/nothing.png {d}/out.png", 2, "nothing.png: "},
        {"engrave {d}/good.png {d}/no/such/folder/out.png", 3, "out.png: "},
        {"engrave {d}/good.png {d}/out.png --set bogus=1", 1, "unknown setting \"bogus\""},
        {"engrave {d}/good.png {d}/out.png --replay {d}/bad.json", 2,
         "bad.json: descriptor item 1: \"key\" must be a four-character code"},
        {"engrave {d}/good.png {d}/out.png --preset {d}/bad.lmv", 2, "bad.lmv: not a LumericII preset"},
        {"engrave {d}/good.png {d}/out.png --mask {d}/small-mask.png", 2, "small-mask.png: the mask is 5x5"},
        {"engrave {d}/good.png {d}/old.png", 3, "old.png: already exists (use --force to replace it)"},
        {"engrave {d}/good.png {d}/good.png --force", 3, "is the input itself"}};
    for (const auto& c : cases) {
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.code, c.code) << c.args << ": " << o.err;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << "stderr: " << o.err;
    }
    EXPECT_EQ(ReadText(Path("old.png")), "precious");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Dir())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bad.json", "bad.lmv", "good.png", "old.png", "small-mask.png",
                                               "stderr.txt", "stdout.txt"}));
}

// (--version is in tests/release/version-test.sh, with the version's other places.)
TEST_F(Command, AboutAndParams) {
    EXPECT_EQ(Run("about").out, "LumericII " LUMERIC_VERSION "\nPlug-in filter for Adobe\u00ae Photoshop\u00ae.\n");
    const Outcome params = Run("params");
    EXPECT_EQ(params.code, 0);
    EXPECT_NE(params.out.find("pattern          Waves 1"), std::string::npos) << params.out;
    EXPECT_NE(params.out.find("12 = Spiral waves 4"), std::string::npos);
    EXPECT_NE(params.out.find("space            20               5..100"), std::string::npos);
}

}  // namespace
