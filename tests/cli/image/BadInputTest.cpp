// Outside data: every missing, truncated or damaged file is an error that
// names the file; a write the format cannot hold leaves no file behind and
// the file that was there untouched.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"

namespace {

using BadInput = ScratchDir;

TEST_F(BadInput, MissingEmptyTextAndFolder) {
    ExpectReadRefused(Path("nothing.png"), "cannot open");
    WriteBytes(Path("empty.png"), {});
    ExpectReadRefused(Path("empty.png"), "not a PNG, TIFF or JPEG file");
    const std::string text = "This is not an image, whatever its name says.\n";
    WriteBytes(Path("text.png"), std::vector<uint8_t>(text.begin(), text.end()));
    ExpectReadRefused(Path("text.png"), "not a PNG, TIFF or JPEG file");
    ExpectReadRefused(Dir(), "not a regular file");
}

// A few hundred bytes announcing hundreds of megabytes of samples: refused
// by what they say, before the samples are allocated and decoded.
TEST_F(BadInput, ShortFilesAnnouncingHugeImages) {
    const std::pair<const char*, const char*> cases[] = {
        {"unknown-codec.tif", "the TIFF compression 41 is not supported"},
        {"huge-ccitt.tif", "cannot hold the"},
        {"huge-baseline.jpg", "cannot hold the"},
        {"huge-progressive.jpg", "cannot hold the"},
        {"huge-arithmetic.jpg", "cannot hold the"},
    };
    for (const auto& [name, expected] : cases) {
        std::vector<uint8_t> bytes = ReadBytes(std::string(LUMERIC_SOURCE_DIR "/tests/fuzz/corpus/image/") + name + ".seed");
        bytes.erase(bytes.begin());  // the fuzzer's choice of reader
        WriteBytes(Path(name), bytes);
        ExpectReadRefused(Path(name), expected);
    }
}

struct FormatCase {
    const char* name;
    FileFormat format;
    ColorModel model;
};

class Damage : public ScratchDir, public ::testing::WithParamInterface<FormatCase> {};

// Whatever length is cut off, the rest never reads as an image; random
// damage either fails cleanly or gives a whole image of the shape it claims
// (never a crash: the sanitizer build runs this too).
TEST_P(Damage, TruncatedNeverReadsAndDamagedReadsWholeOrFails) {
    const FormatCase& c = GetParam();
    Image image = MakeGradientImage(c.format, c.model, 24, 10);
    image.iccProfile = c.model == ColorModel::Cmyk ? std::vector<uint8_t>(3000, 7) : IccProfile("srgb.icc");
    ASSERT_TRUE(WriteImageFile(Path("whole"), image).ok);
    const std::vector<uint8_t> whole = ReadBytes(Path("whole"));
    for (size_t length = 0; length < whole.size(); ++length) {
        Image read;
        const ImageIoResult result = ReadImageMemory(whole.data(), length, "cut-" + std::to_string(length), read);
        ASSERT_FALSE(result.ok) << "cut at " << length << " of " << whole.size();
        ASSERT_EQ(result.message.rfind("cut-" + std::to_string(length) + ": ", 0), 0u) << result.message;
    }
    uint32_t state = 12345;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes = whole;
        for (int f = 1 + int(next() % 4); f > 0; --f) bytes[4 + next() % (bytes.size() - 4)] = uint8_t(next());
        Image read;
        const ImageIoResult result = ReadImageMemory(bytes.data(), bytes.size(), "damaged", read);
        if (!result.ok) {
            ++refused;
            EXPECT_EQ(result.message.rfind("damaged: ", 0), 0u);
        } else {
            ASSERT_EQ(read.depth == 16 ? read.samples16.size() : read.samples8.size(), SampleCount(read));
        }
    }
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, Damage,
                         ::testing::Values(FormatCase{"Png", FileFormat::Png, ColorModel::Rgb},
                                           FormatCase{"Tiff", FileFormat::Tiff, ColorModel::Cmyk},
                                           FormatCase{"Jpeg", FileFormat::Jpeg, ColorModel::Rgb}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST_F(BadInput, AWriteTheFormatCannotHoldLeavesNoFileAndKeepsTheOldOne) {
    const Image cmyk = MakeNoiseImage(FileFormat::Png, ColorModel::Cmyk, false, 8, 4, 4, 1);
    WriteBytes(Path("keep.png"), {1, 2, 3});
    const ImageIoResult png = WriteImageFile(Path("keep.png"), cmyk);
    EXPECT_FALSE(png.ok);
    EXPECT_EQ(png.message, Path("keep.png") + ": PNG cannot hold a CMYK image");
    EXPECT_EQ(ReadBytes(Path("keep.png")), (std::vector<uint8_t>{1, 2, 3}));
    const Image rgba16 = MakeNoiseImage(FileFormat::Jpeg, ColorModel::Rgb, true, 16, 4, 4, 1);
    EXPECT_FALSE(WriteImageFile(Path("c.jpg"), rgba16).ok);
    Image rgb = MakeNoiseImage(FileFormat::Jpeg, ColorModel::Rgb, false, 8, 4, 4, 1);
    EXPECT_FALSE(WriteImageFile(Path("q0.jpg"), rgb, WriteOptions{0}).ok);
    rgb.format = FileFormat::Tiff;
    rgb.samples8.pop_back();
    EXPECT_FALSE(WriteImageFile(Path("c.tif"), rgb).ok);
    EXPECT_FALSE(WriteImageFile(Path("no/such/dir/c.tif"), cmyk).ok);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(Dir())) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"keep.png"}) << "no output, no temporary left behind";
}

}  // namespace
