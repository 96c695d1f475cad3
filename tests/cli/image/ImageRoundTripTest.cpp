// Write then read: every format, mode and depth comes back with the same
// samples (JPEG within its loss), the same profile bytes, resolution and
// the layout choices the file had (TIFF compression, predictor, planes,
// orientation; PNG chunks; JPEG progression and YCCK).
#include <gtest/gtest.h>

#include <tiffio.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "cli/image/ImageIo.h"
#include "cli/image/PngDeflate.h"
#include "tests/cli/CliTestFiles.h"

namespace {

struct RoundTripCase {
    const char* name;
    FileFormat format;
    ColorModel model;
    bool alpha;
    int depth;
    uint16_t compression, predictor, planar;  // TIFF only
};

const char* Extension(FileFormat format) {
    return format == FileFormat::Png ? ".png" : format == FileFormat::Tiff ? ".tif" : ".jpg";
}

class RoundTrip : public ScratchDir, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTrip, SamplesProfileResolutionAndLayoutSurvive) {
    const RoundTripCase& c = GetParam();
    const bool jpeg = c.format == FileFormat::Jpeg;
    Image image = jpeg ? MakeGradientImage(c.format, c.model, 64, 48)
                       : MakeNoiseImage(c.format, c.model, c.alpha, c.depth, 301, 23, 7);
    image.iccProfile = IccProfile(c.model == ColorModel::Gray  ? "default_gray.icc"
                                  : c.model == ColorModel::Rgb ? "srgb.icc"
                                                               : "default_cmyk.icc");
    image.resolution = Resolution{true, 300, 150, ResolutionUnit::Inch};
    image.tiff.compression = c.compression, image.tiff.predictor = c.predictor, image.tiff.planarConfig = c.planar;
    image.tiff.orientation = ORIENTATION_BOTRIGHT;
    // 4:4:4 so that the tolerance measures the quantisation only.
    image.jpeg.components = ColorChannels(c.model);
    for (int k = 0; k < 4; ++k) image.jpeg.sampling[k][0] = image.jpeg.sampling[k][1] = 1;

    const std::string path = Path(std::string("out") + Extension(c.format));
    const ImageIoResult written = WriteImageFile(path, image, WriteOptions{100});
    ASSERT_TRUE(written.ok) << written.message;
    Image back;
    const ImageIoResult read = ReadImageFile(path, back);
    ASSERT_TRUE(read.ok) << read.message;

    EXPECT_EQ(back.format, c.format);
    EXPECT_EQ(back.width, image.width);
    EXPECT_EQ(back.model, c.model);
    EXPECT_EQ(back.hasAlpha, c.alpha);
    EXPECT_EQ(back.depth, c.depth);
    EXPECT_EQ(back.iccProfile, image.iccProfile);
    ASSERT_EQ(SampleCount(back), SampleCount(image));
    // Quality 100 without subsampling leaves only the rounding of the colour
    // transform and the DCT, a few levels on a smooth gradient.
    EXPECT_LE(MaxSampleDifference(back, image), jpeg ? 3 : 0);
    if (!jpeg || c.model != ColorModel::Cmyk) {  // CMYK JPEG has no JFIF header
        EXPECT_TRUE(back.resolution.present);
        const double perInch = back.resolution.unit == ResolutionUnit::Centimetre ? 2.54 : 1.0;
        EXPECT_NEAR(back.resolution.x * perInch, 300, 0.5);
        EXPECT_NEAR(back.resolution.y * perInch, 150, 0.5);
    }
    if (c.format != FileFormat::Tiff) return;
    EXPECT_EQ(back.tiff.compression, c.compression);
    EXPECT_EQ(back.tiff.predictor, c.predictor);
    EXPECT_EQ(back.tiff.planarConfig, c.planar);
    EXPECT_EQ(back.tiff.orientation, ORIENTATION_BOTRIGHT);
}

constexpr uint16_t kContig = PLANARCONFIG_CONTIG, kSeparate = PLANARCONFIG_SEPARATE, kNoPredictor = PREDICTOR_NONE;

INSTANTIATE_TEST_SUITE_P(
    EveryMode, RoundTrip,
    ::testing::Values(RoundTripCase{"PngGray8", FileFormat::Png, ColorModel::Gray, false, 8, 0, 0, 0},
                      RoundTripCase{"PngGrayAlpha16", FileFormat::Png, ColorModel::Gray, true, 16, 0, 0, 0},
                      RoundTripCase{"PngRgba8", FileFormat::Png, ColorModel::Rgb, true, 8, 0, 0, 0},
                      RoundTripCase{"PngRgb16", FileFormat::Png, ColorModel::Rgb, false, 16, 0, 0, 0},
                      RoundTripCase{"TiffGrayAlpha16LzwPredictor", FileFormat::Tiff, ColorModel::Gray, true, 16,
                                    COMPRESSION_LZW, PREDICTOR_HORIZONTAL, kContig},
                      RoundTripCase{"TiffRgb8Uncompressed", FileFormat::Tiff, ColorModel::Rgb, false, 8,
                                    COMPRESSION_NONE, kNoPredictor, kContig},
                      RoundTripCase{"TiffRgba16DeflateSeparate", FileFormat::Tiff, ColorModel::Rgb, true, 16,
                                    COMPRESSION_ADOBE_DEFLATE, kNoPredictor, kSeparate},
                      RoundTripCase{"TiffCmyk8PackBitsSeparate", FileFormat::Tiff, ColorModel::Cmyk, false, 8,
                                    COMPRESSION_PACKBITS, kNoPredictor, kSeparate},
                      RoundTripCase{"TiffCmyka16LzwPredictorSeparate", FileFormat::Tiff, ColorModel::Cmyk, true, 16,
                                    COMPRESSION_LZW, PREDICTOR_HORIZONTAL, kSeparate},
                      RoundTripCase{"JpegGray", FileFormat::Jpeg, ColorModel::Gray, false, 8, 0, 0, 0},
                      RoundTripCase{"JpegRgb", FileFormat::Jpeg, ColorModel::Rgb, false, 8, 0, 0, 0},
                      RoundTripCase{"JpegCmyk", FileFormat::Jpeg, ColorModel::Cmyk, false, 8, 0, 0, 0}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

using FileChoices = ScratchDir;

// sRGB implies its own gamma and chromaticities: they are written apart.
TEST_F(FileChoices, PngChunksSurvive) {
    Image image = MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 19, 17, 3);
    image.png.interlaced = true;
    image.png.hasGamma = true;
    image.png.gamma = 50000;
    image.png.hasChromaticities = true;
    const int32_t chrm[8] = {31270, 32900, 64000, 33000, 21000, 71000, 15000, 6000};  // Adobe RGB
    std::copy(chrm, chrm + 8, image.png.chromaticities);
    image.resolution = Resolution{true, 40, 20, ResolutionUnit::Centimetre};
    Image srgb = MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 3, 3, 3), back;
    srgb.png.srgbIntent = 1;
    ASSERT_TRUE(WriteImageFile(Path("c.png"), image).ok && WriteImageFile(Path("s.png"), srgb).ok);
    ASSERT_TRUE(ReadImageFile(Path("s.png"), back).ok);
    EXPECT_EQ(back.png.srgbIntent, 1);
    ASSERT_TRUE(ReadImageFile(Path("c.png"), back).ok);
    EXPECT_TRUE(back.png.interlaced);
    EXPECT_EQ(back.png.gamma, 50000);
    EXPECT_TRUE(back.png.hasChromaticities && std::equal(chrm, chrm + 8, back.png.chromaticities));
    EXPECT_EQ(back.resolution.unit, ResolutionUnit::Centimetre);
    EXPECT_DOUBLE_EQ(back.resolution.x, 40);
    EXPECT_DOUBLE_EQ(back.resolution.y, 20);
    EXPECT_EQ(back.samples8, image.samples8);
}

// Images of several deflate pieces: the samples come back, and the file
// is the same byte for byte whatever the number of threads.
TEST_F(FileChoices, PngImageDataInPiecesReadsBackTheSameOnAnyThreadCount) {
    struct Case { ColorModel model; bool alpha; int depth; uint32_t width, height; };
    for (const Case& c : {Case{ColorModel::Rgb, false, 8, 1500, 1100}, Case{ColorModel::Rgb, true, 16, 700, 900},
                          Case{ColorModel::Gray, true, 8, 2500, 1000}}) {
        const Image image = MakeNoiseImage(FileFormat::Png, c.model, c.alpha, c.depth, c.width, c.height, 5);
        ASSERT_GT(SampleCount(image) * (c.depth / 8), 2 * kPngPieceBytes);
        std::string first;
        for (const char* threads : {"1", "3"}) {
            setenv("LUMERIC_THREADS", threads, 1);
            ASSERT_TRUE(WriteImageFile(Path("p.png"), image).ok);
            Image back;
            ASSERT_TRUE(ReadImageFile(Path("p.png"), back).ok);
            EXPECT_TRUE(back.samples8 == image.samples8 && back.samples16 == image.samples16) << threads;
            std::ifstream file(Path("p.png"), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            if (first.empty()) first = bytes;
            EXPECT_TRUE(bytes == first) << "threads " << threads;
        }
        unsetenv("LUMERIC_THREADS");
    }
}

TEST_F(FileChoices, JpegProgressionYcckAndQualitySurvive) {
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 40, 30);
    image.jpeg.progressive = true;
    image.jpeg.ycck = true;
    ASSERT_TRUE(WriteImageFile(Path("p.jpg"), image).ok);
    Image back;
    ASSERT_TRUE(ReadImageFile(Path("p.jpg"), back).ok);
    EXPECT_TRUE(back.jpeg.progressive);
    EXPECT_TRUE(back.jpeg.ycck);
    EXPECT_LE(MaxSampleDifference(back, image), 12);  // quality 92, subsampled
    const Image noise = MakeNoiseImage(FileFormat::Jpeg, ColorModel::Rgb, false, 8, 64, 64, 5);
    ASSERT_TRUE(WriteImageFile(Path("q92.jpg"), noise).ok);
    ASSERT_TRUE(WriteImageFile(Path("q40.jpg"), noise, WriteOptions{40}).ok);
    EXPECT_LT(ReadBytes(Path("q40.jpg")).size(), ReadBytes(Path("q92.jpg")).size());
}

// The command picks the output format from the extension, in any case.
TEST(FormatFromExtension, NamesTheThreeFormats) {
    const std::pair<const char*, FileFormat> known[] = {{"a.PNG", FileFormat::Png}, {"dir.x/a.tiff", FileFormat::Tiff},
                                                        {"a.Jpeg", FileFormat::Jpeg}, {"a.jpe", FileFormat::Jpeg}};
    FileFormat found;
    for (const auto& [name, format] : known) {
        ASSERT_TRUE(FormatFromExtension(name, found)) << name;
        EXPECT_EQ(found, format) << name;
    }
    for (const char* name : {"a.gif", "dir.png/a", "noextension"})
        EXPECT_FALSE(FormatFromExtension(name, found)) << name;
}

}  // namespace
