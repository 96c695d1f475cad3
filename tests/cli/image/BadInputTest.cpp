// Outside data: every broken, truncated, oversized or unsupported file is
// an error that names the file, and the destination image stays as it was.
#include <gtest/gtest.h>

#include <tiffio.h>

#include <filesystem>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/cli/LibraryWriters.h"

namespace {

class BadInput : public ScratchDir {
protected:
    // Reads `path`, expecting a failure that names it and mentions `words`.
    void ExpectRefused(const std::string& path, const std::string& words) {
        Image image;
        image.width = 7;  // a sentinel the reader must not touch
        const ImageIoResult result = ReadImageFile(path, image);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message.rfind(path + ": ", 0), 0u) << result.message;
        EXPECT_NE(result.message.find(words), std::string::npos) << result.message;
        EXPECT_EQ(image.width, 7u);
        EXPECT_TRUE(image.samples8.empty() && image.samples16.empty());
    }
    void WriteTiff(const std::string& name, const TiffShape& shape) {
        const size_t bytes = (size_t(shape.width) * shape.samplesPerPixel * shape.bitsPerSample + 7) / 8 * shape.height;
        WriteTiffWithLibtiff(Path(name), shape, std::vector<uint8_t>(bytes, 0x40));
    }
};

TEST_F(BadInput, MissingEmptyAndTextFiles) {
    ExpectRefused(Path("nothing.png"), "cannot open");
    WriteBytes(Path("empty.png"), {});
    ExpectRefused(Path("empty.png"), "not a PNG, TIFF or JPEG file");
    const std::string text = "This is not an image, whatever its name says.\n";
    WriteBytes(Path("text.png"), std::vector<uint8_t>(text.begin(), text.end()));
    ExpectRefused(Path("text.png"), "not a PNG, TIFF or JPEG file");
    ExpectRefused(Dir(), "not a regular file");
}

TEST_F(BadInput, SignatureFollowedByGarbage) {
    const std::vector<std::vector<uint8_t>> heads = {
        {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, {'I', 'I', 42, 0}, {'M', 'M', 0, 42}, {0xFF, 0xD8, 0xFF}};
    for (size_t i = 0; i < heads.size(); ++i) {
        std::vector<uint8_t> bytes = heads[i];
        for (int k = 0; k < 300; ++k) bytes.push_back(uint8_t(k * 37 + 11));
        const std::string name = Path("garbage" + std::to_string(i));
        WriteBytes(name, bytes);
        ExpectRefused(name, "");
    }
}

struct CutCase {
    const char* name;
    FileFormat format;
    ColorModel model;
};

class EveryTruncation : public BadInput, public ::testing::WithParamInterface<CutCase> {};

// Whatever the length cut off, the rest never reads as an image.
TEST_P(EveryTruncation, IsRefused) {
    const CutCase& c = GetParam();
    Image image = MakeGradientImage(c.format, c.model, 24, 10);
    image.iccProfile = c.model == ColorModel::Cmyk ? std::vector<uint8_t>(3000, 7) : SrgbProfileBytes();
    ASSERT_TRUE(WriteImageFile(Path("whole"), image).ok);
    const std::vector<uint8_t> whole = ReadBytes(Path("whole"));
    for (size_t length = 0; length < whole.size(); ++length) {
        Image read;
        const ImageIoResult result =
            ReadImageMemory(whole.data(), length, "cut-" + std::to_string(length), read);
        ASSERT_FALSE(result.ok) << "cut at " << length << " of " << whole.size();
        ASSERT_EQ(result.message.rfind("cut-" + std::to_string(length) + ": ", 0), 0u) << result.message;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryTruncation,
                         ::testing::Values(CutCase{"Png", FileFormat::Png, ColorModel::Rgb},
                                           CutCase{"Tiff", FileFormat::Tiff, ColorModel::Cmyk},
                                           CutCase{"Jpeg", FileFormat::Jpeg, ColorModel::Rgb}),
                         [](const ::testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

TEST_F(BadInput, TruncatedSamplePhotographs) {
    // The TIFF keeps its directory at the end: cut, it has none.
    const std::pair<const char*, const char*> files[] = {{"astronaut.png", "truncated or corrupt"},
                                                         {"astronaut-cmyk8.tif", "not a valid TIFF file"},
                                                         {"sunset-rgb16.png", "truncated or corrupt"}};
    for (const auto& [name, words] : files) {
        std::vector<uint8_t> bytes = ReadBytes(SamplesDir() + "/" + name);
        ASSERT_FALSE(bytes.empty()) << name;
        bytes.resize(bytes.size() / 2);
        WriteBytes(Path(name), bytes);
        ExpectRefused(Path(name), words);
    }
}

TEST_F(BadInput, CorruptPngDataFailsItsChecksum) {
    const Image image = MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 30, 30, 2);
    ASSERT_TRUE(WriteImageFile(Path("ok.png"), image).ok);
    std::vector<uint8_t> bytes = ReadBytes(Path("ok.png"));
    bytes[bytes.size() / 2] ^= 0x55;
    WriteBytes(Path("flipped.png"), bytes);
    ExpectRefused(Path("flipped.png"), "truncated or corrupt");
}

TEST_F(BadInput, HugeSizesAreRefusedBeforeAllocating) {
    WriteBytes(Path("huge.tif"), HandMadeTiff(100000, 100000, 64));
    ExpectRefused(Path("huge.tif"), "too large");
    // Within the limits, but 1 KB cannot hold 16000 x 16000 RGB pixels.
    WriteBytes(Path("hollow.tif"), HandMadeTiff(16000, 16000, 1024));
    ExpectRefused(Path("hollow.tif"), "truncated or corrupt");
    // The hand-made header itself is sound.
    WriteBytes(Path("small.tif"), HandMadeTiff(4, 2, 24));
    Image image;
    const ImageIoResult read = ReadImageFile(Path("small.tif"), image);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(image.samples8, std::vector<uint8_t>(24, 0x80));
}

TEST_F(BadInput, HugePngHeaderIsRefused) {
    const Image image = MakeNoiseImage(FileFormat::Png, ColorModel::Gray, false, 8, 3, 3, 1);
    ASSERT_TRUE(WriteImageFile(Path("small.png"), image).ok);
    std::vector<uint8_t> bytes = ReadBytes(Path("small.png"));
    // IHDR width at 16..19, height at 20..23 (big-endian); the CRC is left
    // wrong on purpose, the size check must win or the CRC check refuse it.
    for (int i : {16, 20}) {
        bytes[i] = 0;
        bytes[i + 1] = 0x01;
        bytes[i + 2] = 0x86;
        bytes[i + 3] = 0xA0;  // 100000
    }
    WriteBytes(Path("huge.png"), bytes);
    ExpectRefused(Path("huge.png"), "");
}

struct ModeCase {
    const char* name;
    TiffShape shape;
    const char* words;
};

TiffShape Shape(uint16_t photometric, uint16_t spp, uint16_t bits) {
    TiffShape shape;
    shape.photometric = photometric;
    shape.samplesPerPixel = spp;
    shape.bitsPerSample = bits;
    return shape;
}

class UnsupportedTiff : public BadInput, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(UnsupportedTiff, IsRefusedWithItsReason) {
    WriteTiff("mode.tif", GetParam().shape);
    ExpectRefused(Path("mode.tif"), GetParam().words);
}

ModeCase PaletteCase() {
    TiffShape shape = Shape(PHOTOMETRIC_PALETTE, 1, 8);
    shape.withColormap = true;
    return {"Palette", shape, "palette"};
}

ModeCase TwoExtras() {
    TiffShape shape = Shape(PHOTOMETRIC_RGB, 5, 8);
    shape.extraKind = EXTRASAMPLE_UNASSALPHA;
    return {"TwoExtraChannels", shape, "more than one extra channel"};
}

ModeCase FloatCase() {
    TiffShape shape = Shape(PHOTOMETRIC_RGB, 3, 16);
    shape.sampleFormat = SAMPLEFORMAT_IEEEFP;
    return {"HalfFloat", shape, "unsigned integers"};
}

ModeCase MultiInk() {
    TiffShape shape = Shape(PHOTOMETRIC_SEPARATED, 4, 8);
    shape.inkSet = INKSET_MULTIINK;
    return {"MultiInk", shape, "other than CMYK"};
}

INSTANTIATE_TEST_SUITE_P(
    Modes, UnsupportedTiff,
    ::testing::Values(ModeCase{"Lab", Shape(PHOTOMETRIC_CIELAB, 3, 8), "Lab"},
                      ModeCase{"OneBit", Shape(PHOTOMETRIC_MINISWHITE, 1, 1), "1 bits"},
                      ModeCase{"FourBitRgb", Shape(PHOTOMETRIC_RGB, 3, 4), "4 bits"},
                      ModeCase{"YCbCr", Shape(PHOTOMETRIC_YCBCR, 3, 8), "YCbCr"},
                      ModeCase{"TooFewSamples", Shape(PHOTOMETRIC_SEPARATED, 3, 8), "fewer samples"}, PaletteCase(),
                      TwoExtras(), FloatCase(), MultiInk()),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST_F(BadInput, WritingWhatTheFormatCannotHoldLeavesNoFile) {
    const Image cmyk = MakeNoiseImage(FileFormat::Png, ColorModel::Cmyk, false, 8, 4, 4, 1);
    const ImageIoResult png = WriteImageFile(Path("c.png"), cmyk);
    EXPECT_FALSE(png.ok);
    EXPECT_NE(png.message.find("PNG cannot hold a CMYK image"), std::string::npos) << png.message;
    const Image rgba16 = MakeNoiseImage(FileFormat::Jpeg, ColorModel::Rgb, true, 16, 4, 4, 1);
    const ImageIoResult jpeg = WriteImageFile(Path("c.jpg"), rgba16);
    EXPECT_FALSE(jpeg.ok);
    EXPECT_EQ(jpeg.message.rfind(Path("c.jpg") + ": ", 0), 0u);
    Image wrongSize = MakeNoiseImage(FileFormat::Tiff, ColorModel::Rgb, false, 8, 4, 4, 1);
    wrongSize.samples8.pop_back();
    EXPECT_FALSE(WriteImageFile(Path("c.tif"), wrongSize).ok);
    EXPECT_FALSE(WriteImageFile(Path("no/such/dir/c.tif"), cmyk).ok);
    EXPECT_TRUE(std::filesystem::is_empty(Dir()));  // no output, no temporary left behind
}

TEST_F(BadInput, AFailedWriteKeepsTheFileThatWasThere) {
    WriteBytes(Path("keep.png"), {1, 2, 3});
    const Image cmyk = MakeNoiseImage(FileFormat::Png, ColorModel::Cmyk, false, 8, 4, 4, 1);
    EXPECT_FALSE(WriteImageFile(Path("keep.png"), cmyk).ok);
    EXPECT_EQ(ReadBytes(Path("keep.png")), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace

namespace {

// Random damage to small valid files: each read either fails cleanly or
// gives a whole image of the shape it claims (never a crash; run it under
// the sanitizers to catch the quiet faults too).
class DamagedFiles : public BadInput, public ::testing::WithParamInterface<CutCase> {};

TEST_P(DamagedFiles, ReadCleanlyOrFail) {
    const CutCase& c = GetParam();
    Image image = MakeNoiseImage(c.format, c.model, false, 8, 21, 13, 5);
    image.iccProfile = c.model == ColorModel::Cmyk ? std::vector<uint8_t>(600, 9) : SrgbProfileBytes();
    ASSERT_TRUE(WriteImageFile(Path("whole"), image).ok);
    const std::vector<uint8_t> whole = ReadBytes(Path("whole"));
    uint32_t state = 12345;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes = whole;
        const int flips = 1 + int(next() % 4);
        for (int f = 0; f < flips; ++f) bytes[4 + next() % (bytes.size() - 4)] = uint8_t(next());
        Image read;
        const ImageIoResult result = ReadImageMemory(bytes.data(), bytes.size(), "damaged", read);
        if (!result.ok) {
            ++refused;
            EXPECT_EQ(result.message.rfind("damaged: ", 0), 0u);
            continue;
        }
        const size_t held = read.depth == 16 ? read.samples16.size() : read.samples8.size();
        ASSERT_EQ(held, SampleCount(read)) << "round " << round;
    }
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, DamagedFiles,
                         ::testing::Values(CutCase{"Png", FileFormat::Png, ColorModel::Rgb},
                                           CutCase{"Tiff", FileFormat::Tiff, ColorModel::Cmyk},
                                           CutCase{"Jpeg", FileFormat::Jpeg, ColorModel::Rgb}),
                         [](const ::testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

}  // namespace
