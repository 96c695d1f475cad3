// The lumeric command end to end: the built program run on real files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/color/ColorEngine.h"
#include "cli/commands/Settings.h"
#include "cli/image/ImageIo.h"
#include "cli/image/InterfacePixels.h"
#include "cli/session/HostSession.h"
#include "module/PluginMain.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/cli/LibraryWriters.h"
#include "tests/support/FakeHost.h"

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

class Command : public ScratchDir {
protected:
    Outcome Run(const std::string& args) {
        const std::string out = Path("stdout.txt"), err = Path("stderr.txt");
        const std::string line = std::string(LUMERIC_COMMAND) + " " + args + " >" + Quote(out) + " 2>" + Quote(err);
        const int status = std::system(line.c_str());
        return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
    }
    void Write(const std::string& name, const Image& image) {
        ASSERT_TRUE(WriteImageFile(Path(name), image).ok) << name;
    }
    void WriteText(const std::string& name, const std::string& text) {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    bool Exists(const std::string& name) {
        struct stat st;
        return stat(Path(name).c_str(), &st) == 0;
    }
    // Nothing beside the expected files: no partial or temporary output.
    int FilesInDir() {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(Dir())) n += e.path().filename() != "stdout.txt" &&
                                                                                e.path().filename() != "stderr.txt";
        return n;
    }
};

InterfaceImage ReadInterface(const std::string& path, Image* file = nullptr) {
    Image image;
    const ImageIoResult r = ReadImageFile(path, image);
    EXPECT_TRUE(r.ok) << r.message;
    if (file) *file = image;
    return ToInterfaceImage(image);
}

// The module driven directly through a host session, defaults, no files.
InterfaceImage EngraveDirectly(const std::string& path, const std::vector<uint8_t>* mask = nullptr,
                               const EngraveSettings* settings = nullptr) {
    Image file;
    InterfaceImage image = ReadInterface(path, &file);
    std::string error;
    std::shared_ptr<ColorEngine> engine(ColorEngine::CreateFor(file, error).release());
    SessionOptions options;
    options.haveDescriptor = true;
    EngraveSettings params = DefaultEngraveSettings();
    if (settings) params = *settings;
    options.play = DescriptorFromSettings(params);
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
    input.iccProfile = k.model == ColorModel::Cmyk ? DefaultCmykProfileBytes() : std::vector<uint8_t>{};
    const std::string in = std::string("in.") + k.ext, out = std::string("out.") + k.ext;
    Write(in, input);

    const Outcome o = Run("engrave " + Quote(Path(in)) + " " + Quote(Path(out)));
    ASSERT_EQ(o.code, 0) << o.err;
    Image written;
    const InterfaceImage result = ReadInterface(Path(out), &written);
    EXPECT_EQ(written.format, k.format);
    EXPECT_EQ(written.model, k.model == ColorModel::Gray ? ColorModel::Rgb : k.model);
    EXPECT_EQ(written.hasAlpha, k.alpha);
    EXPECT_EQ(written.depth, k.depth);
    EXPECT_EQ(written.iccProfile, input.iccProfile);
    if (k.format == FileFormat::Jpeg) return;  // lossy: the kind is what can be checked
    const InterfaceImage direct = EngraveDirectly(Path(in));
    EXPECT_EQ(result.pixels, direct.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EveryInputKind,
    ::testing::Values(Kind{"png_gray8", FileFormat::Png, ColorModel::Gray, false, 8, "png"},
                      Kind{"png_graya16", FileFormat::Png, ColorModel::Gray, true, 16, "png"},
                      Kind{"png_rgb8", FileFormat::Png, ColorModel::Rgb, false, 8, "png"},
                      Kind{"png_rgba8", FileFormat::Png, ColorModel::Rgb, true, 8, "png"},
                      Kind{"png_rgb16", FileFormat::Png, ColorModel::Rgb, false, 16, "png"},
                      Kind{"png_rgba16", FileFormat::Png, ColorModel::Rgb, true, 16, "png"},
                      Kind{"tiff_rgb8", FileFormat::Tiff, ColorModel::Rgb, false, 8, "tif"},
                      Kind{"tiff_rgba16", FileFormat::Tiff, ColorModel::Rgb, true, 16, "tif"},
                      Kind{"tiff_cmyk8", FileFormat::Tiff, ColorModel::Cmyk, false, 8, "tif"},
                      Kind{"tiff_cmyka8", FileFormat::Tiff, ColorModel::Cmyk, true, 8, "tif"},
                      Kind{"tiff_cmyk16", FileFormat::Tiff, ColorModel::Cmyk, false, 16, "tif"},
                      Kind{"tiff_cmyka16", FileFormat::Tiff, ColorModel::Cmyk, true, 16, "tif"},
                      Kind{"jpeg_rgb", FileFormat::Jpeg, ColorModel::Rgb, false, 8, "jpg"},
                      Kind{"jpeg_cmyk", FileFormat::Jpeg, ColorModel::Cmyk, false, 8, "jpg"}),
    [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

TEST_F(Command, AnIndependentHostGetsTheSamePixels) {
    Write("in.png", MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, true, 8, 50, 37, 3));
    ASSERT_EQ(Run("engrave " + Quote(Path("in.png")) + " " + Quote(Path("out.png"))).code, 0);
    const InterfaceImage in = ReadInterface(Path("in.png"));
    FakeImage fake;
    fake.width = in.width;
    fake.height = in.height;
    fake.planes = in.planes;
    fake.samples.assign(in.pixels.begin(), in.pixels.end());
    FakeHost host(fake);
    ASSERT_EQ(host.Run(false), noErr);
    const InterfaceImage out = ReadInterface(Path("out.png"));
    EXPECT_EQ(std::vector<uint16_t>(out.pixels.begin(), out.pixels.end()), host.image().samples);
}

TEST_F(Command, TiledAndSmallBudgetRunsGiveTheSamePixels) {
    const std::string in = Quote(std::string(LUMERIC_SAMPLES_DIR) + "/astronaut-cmyk16.tif");
    ASSERT_EQ(Run("engrave " + in + " " + Quote(Path("whole.tif"))).code, 0);
    const Outcome tiled = Run("engrave " + in + " " + Quote(Path("tiled.tif")) + " --tiled --max-space 300k");
    ASSERT_EQ(tiled.code, 0) << tiled.err;
    EXPECT_NE(tiled.err.find("lumeric: warning: this image is very large"), std::string::npos) << tiled.err;
    ASSERT_EQ(Run("engrave " + in + " " + Quote(Path("chunks.tif")) + " --max-space 1M").code, 0);
    const InterfaceImage whole = ReadInterface(Path("whole.tif"));
    EXPECT_EQ(ReadInterface(Path("tiled.tif")).pixels, whole.pixels);
    EXPECT_EQ(ReadInterface(Path("chunks.tif")).pixels, whole.pixels);
}

TEST_F(Command, MaskSelectsWhatIsEngraved) {
    Write("in.png", MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 40, 30, 9));
    Image mask;
    mask.width = 40;
    mask.height = 30;
    mask.model = ColorModel::Gray;
    mask.depth = 8;
    AllocateSamples(mask);
    for (size_t i = 0; i < mask.samples8.size(); ++i) mask.samples8[i] = (i % 40) < 20 ? 0 : 255;
    Write("mask.png", mask);
    const Outcome o = Run("engrave " + Quote(Path("in.png")) + " " + Quote(Path("out.png")) + " --mask " +
                          Quote(Path("mask.png")));
    ASSERT_EQ(o.code, 0) << o.err;
    const std::vector<uint8_t> selection(mask.samples8.begin(), mask.samples8.end());
    EXPECT_EQ(ReadInterface(Path("out.png")).pixels, EngraveDirectly(Path("in.png"), &selection).pixels);
    const InterfaceImage before = ReadInterface(Path("in.png")), after = ReadInterface(Path("out.png"));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            for (int p = 0; p < 3; ++p)
                ASSERT_EQ(after.pixels[(y * 40 + x) * 3 + p], before.pixels[(y * 40 + x) * 3 + p]);
}

TEST_F(Command, RecordThenReplayGivesTheSameEngraving) {
    Write("in.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 64, 48));
    const std::string in = Quote(Path("in.png"));
    const Outcome first = Run("engrave " + in + " " + Quote(Path("a.png")) +
                              " --set pattern=\"Rings waves 2\" --set colorSchema=\"Initial color\" --set space=31.5"
                              " --set noAntialias=1 --record " + Quote(Path("action.json")));
    ASSERT_EQ(first.code, 0) << first.err;
    const std::string action = Slurp(Path("action.json"));
    EXPECT_NE(action.find("{\"key\": \"Geom\", \"type\": \"long\", \"value\": 5}"), std::string::npos) << action;
    EXPECT_NE(action.find("{\"key\": \"AntA\", \"type\": \"bool\", \"value\": false}"), std::string::npos);
    EXPECT_NE(action.find("\"value\": 31.5}"), std::string::npos);
    const Outcome replay = Run("engrave " + in + " " + Quote(Path("b.png")) + " --replay " + Quote(Path("action.json")));
    ASSERT_EQ(replay.code, 0) << replay.err;
    EXPECT_EQ(ReadBytes(Path("a.png")), ReadBytes(Path("b.png")));
    const Outcome plain = Run("engrave " + in + " " + Quote(Path("c.png")));
    EXPECT_NE(ReadBytes(Path("a.png")), ReadBytes(Path("c.png")));
}

TEST_F(Command, StateKeepsTheLastSettingsBetweenRuns) {
    Write("in.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 48, 40));
    const std::string in = Quote(Path("in.png")), state = " --state " + Quote(Path("state.bin"));
    ASSERT_EQ(Run("engrave " + in + " " + Quote(Path("a.png")) + " --set pattern=Spiral" + state).code, 0);
    ASSERT_EQ(Run("engrave " + in + " " + Quote(Path("b.png")) + state).code, 0);
    ASSERT_EQ(Run("engrave " + in + " " + Quote(Path("c.png")) + " --set pattern=Spiral").code, 0);
    EXPECT_EQ(ReadBytes(Path("b.png")), ReadBytes(Path("c.png"))) << "the second run kept the spiral";
    WriteText("bad.bin", "not a state");
    const Outcome bad = Run("engrave " + in + " " + Quote(Path("d.png")) + " --state " + Quote(Path("bad.bin")));
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("bad.bin: not a lumeric state file"), std::string::npos) << bad.err;
}

TEST_F(Command, PresetSaveThenShowRoundTrips) {
    const std::string preset = Quote(Path("mine.lmv"));
    const Outcome save = Run("preset save " + preset + " --set rotation=12.5 --set pattern=\"Spiral waves 3\"");
    ASSERT_EQ(save.code, 0) << save.err;
    EXPECT_EQ(Slurp(Path("mine.lmv")).rfind("Corvessa Lumeric\nlgnA 12.500000 \t\t\t\t;Rotation \n", 0), 0u);
    const Outcome show = Run("preset show " + preset);
    ASSERT_EQ(show.code, 0) << show.err;
    EXPECT_EQ(show.out.rfind("rotation = 12.5\noffset = 0\nspace = 20\n", 0), 0u) << show.out;
    EXPECT_NE(show.out.find("pattern = Spiral waves 3\n"), std::string::npos);
    EXPECT_EQ(std::count(show.out.begin(), show.out.end(), '\n'), 21);
    const Outcome again = Run("preset save " + preset);
    EXPECT_EQ(again.code, 3) << "no overwrite without --force";
    EXPECT_EQ(Run("preset save " + preset + " --force --preset " + preset + " --set space=40").code, 0);
    EXPECT_NE(Run("preset show " + preset).out.find("space = 40\n"), std::string::npos);
    EXPECT_NE(Run("preset show " + preset).out.find("rotation = 12.5\n"), std::string::npos);
}

TEST_F(Command, AnExistingOutputIsNotReplacedWithoutForce) {
    Write("in.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 20, 20));
    WriteText("out.png", "precious");
    const Outcome o = Run("engrave " + Quote(Path("in.png")) + " " + Quote(Path("out.png")));
    EXPECT_EQ(o.code, 3);
    EXPECT_NE(o.err.find("out.png: already exists (use --force to replace it)"), std::string::npos) << o.err;
    EXPECT_EQ(Slurp(Path("out.png")), "precious");
    EXPECT_EQ(Run("engrave " + Quote(Path("in.png")) + " " + Quote(Path("out.png")) + " --force").code, 0);
    EXPECT_NE(Slurp(Path("out.png")), "precious");
    EXPECT_EQ(FilesInDir(), 2);
}

TEST_F(Command, BatchReportsABadFileAndGoesOn) {
    Write("a.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 20, 16));
    WriteText("b.png", "this is text, not a picture");
    Write("c.tif", MakeGradientImage(FileFormat::Tiff, ColorModel::Rgb, 20, 16));
    const Outcome o = Run("engrave " + Quote(Path("a.png")) + " " + Quote(Path("b.png")) + " " + Quote(Path("c.tif")) +
                          " -o " + Quote(Path("out")));
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("b.png: "), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("engraved 2 of 3 images"), std::string::npos) << o.err;
    EXPECT_TRUE(Exists("out/a.png"));
    EXPECT_FALSE(Exists("out/b.png"));
    EXPECT_TRUE(Exists("out/c.tif"));
}

struct BadInput {
    const char* name;
    const char* args;  // with {d} for the scratch folder
    int code;
    const char* message;
};

class BadInputs : public Command, public ::testing::WithParamInterface<BadInput> {
protected:
    void SetUp() override {
        Command::SetUp();
        Write("good.png", MakeGradientImage(FileFormat::Png, ColorModel::Rgb, 24, 18));
        std::vector<uint8_t> png = ReadBytes(Path("good.png"));
        png.resize(png.size() / 2);
        WriteBytes(Path("truncated.png"), png);
        WriteBytes(Path("huge.tif"), HandMadeTiff(100000, 100000, 64));
        WriteText("text.png", "hello, I am not a picture\n");
        WriteText("bad.json", "{\"lumericAction\": 1, \"descriptor\": [ {\"key\": 5} ]}");
        WriteText("bad.lmv", "Max Vant");
        Write("small-mask.png", MakeGradientImage(FileFormat::Png, ColorModel::Gray, 5, 5));
    }
};

TEST_P(BadInputs, GiveAClearMessageTheCodeAndNoOutput) {
    std::string args = GetParam().args;
    for (size_t at; (at = args.find("{d}")) != std::string::npos;) args.replace(at, 3, Dir());
    const Outcome o = Run(args);
    EXPECT_EQ(o.code, GetParam().code) << o.err;
    EXPECT_NE(o.err.find(GetParam().message), std::string::npos) << "stderr: " << o.err;
    EXPECT_FALSE(Exists("out.png"));
    for (const auto& e : std::filesystem::directory_iterator(Dir()))
        EXPECT_EQ(e.path().string().find(".part"), std::string::npos) << e.path();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputs,
    ::testing::Values(
        BadInput{"missing", "engrave {d}/nothing.png {d}/out.png", 2, "nothing.png: "},
        BadInput{"truncated", "engrave {d}/truncated.png {d}/out.png", 2, "truncated.png: "},
        BadInput{"huge_tiff", "engrave {d}/huge.tif {d}/out.png", 2, "huge.tif: "},
        BadInput{"text_named_png", "engrave {d}/text.png {d}/out.png", 2, "text.png: "},
        BadInput{"unwritable_folder", "engrave {d}/good.png {d}/no/such/folder/out.png", 3, "out.png: "},
        BadInput{"unknown_setting", "engrave {d}/good.png {d}/out.png --set bogus=1", 1, "unknown setting \"bogus\""},
        BadInput{"malformed_value", "engrave {d}/good.png {d}/out.png --set space=lots", 1, "bad value \"lots\" for space"},
        BadInput{"malformed_action", "engrave {d}/good.png {d}/out.png --replay {d}/bad.json", 2,
                 "bad.json: descriptor item 1: \"key\" must be a four-character code"},
        BadInput{"malformed_preset", "engrave {d}/good.png {d}/out.png --preset {d}/bad.lmv", 2,
                 "bad.lmv: not a LumericII preset"},
        BadInput{"missing_preset", "engrave {d}/good.png {d}/out.png --preset {d}/none.lmv", 2, "none.lmv: "},
        BadInput{"mask_size", "engrave {d}/good.png {d}/out.png --mask {d}/small-mask.png", 2,
                 "small-mask.png: the mask is 5x5, the image 24x18"},
        BadInput{"same_file", "engrave {d}/good.png {d}/good.png --force", 3, "is the input itself"},
        BadInput{"usage", "engrave {d}/good.png", 1, "needs an input and an output"}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

TEST_F(Command, AboutParamsHelpAndVersion) {
    Outcome o = Run("about");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "LumericII " LUMERIC_VERSION "\nPlug-in filter for Adobe\u00ae Photoshop\u00ae.\n");
    o = Run("params");
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("pattern          Waves 1"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("12 = Spiral waves 4"), std::string::npos);
    EXPECT_NE(o.out.find("space            20               5..100"), std::string::npos);
    o = Run("--help");
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("Exit codes:"), std::string::npos);
    EXPECT_EQ(Run("--version").out, "lumeric " LUMERIC_VERSION " (LumericII)\n");
    EXPECT_EQ(Run("engrave --nonsense").code, 1);
}

}  // namespace
