// Write then read: every format, mode and depth comes back with the same
// samples (JPEG within its loss), the same profile bytes and the kept
// layout choices.
#include <gtest/gtest.h>

#include <tiffio.h>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"

namespace {

struct RoundTripCase {
    const char* name;
    FileFormat format;
    ColorModel model;
    bool alpha;
    int depth;
    int tolerance;  // 0: lossless
};

std::vector<uint8_t> ProfileFor(ColorModel model) {
    switch (model) {
        case ColorModel::Gray: return GrayProfileBytes();
        case ColorModel::Rgb: return SrgbProfileBytes();
        case ColorModel::Cmyk: return DefaultCmykProfileBytes();
    }
    return {};
}

const char* Extension(FileFormat format) {
    return format == FileFormat::Png ? ".png" : format == FileFormat::Tiff ? ".tif" : ".jpg";
}

class RoundTrip : public ScratchDir, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTrip, SamplesProfileAndShapeSurvive) {
    const RoundTripCase& c = GetParam();
    Image image = c.format == FileFormat::Jpeg ? MakeGradientImage(c.format, c.model, 64, 48)
                                               : MakeNoiseImage(c.format, c.model, c.alpha, c.depth, 37, 23, 7);
    image.iccProfile = ProfileFor(c.model);
    ASSERT_FALSE(image.iccProfile.empty());
    image.resolution = Resolution{true, 300, 150, ResolutionUnit::Inch};
    // 4:4:4 so the tolerance measures the quantisation only.
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
    EXPECT_EQ(back.height, image.height);
    EXPECT_EQ(back.model, c.model);
    EXPECT_EQ(back.hasAlpha, c.alpha);
    EXPECT_EQ(back.depth, c.depth);
    EXPECT_EQ(back.iccProfile, image.iccProfile);
    ASSERT_EQ(back.samples8.size(), image.samples8.size());
    ASSERT_EQ(back.samples16.size(), image.samples16.size());
    EXPECT_LE(MaxSampleDifference(back, image), c.tolerance);
    if (c.tolerance == 0) {
        EXPECT_TRUE(back.samples8 == image.samples8 && back.samples16 == image.samples16);
    }
    if (c.format != FileFormat::Jpeg || c.model != ColorModel::Cmyk) {  // CMYK JPEG has no JFIF header
        EXPECT_TRUE(back.resolution.present);
        const double perInch = back.resolution.unit == ResolutionUnit::Centimetre ? 2.54 : 1.0;
        EXPECT_NEAR(back.resolution.x * perInch, 300, 0.5);
        EXPECT_NEAR(back.resolution.y * perInch, 150, 0.5);
    }
}

// JPEG tolerances: quality 100 without subsampling leaves only rounding in
// the colour transform and the DCT, a few levels on a smooth gradient.
INSTANTIATE_TEST_SUITE_P(
    EveryMode, RoundTrip,
    ::testing::Values(RoundTripCase{"PngGray8", FileFormat::Png, ColorModel::Gray, false, 8, 0},
                      RoundTripCase{"PngGray16", FileFormat::Png, ColorModel::Gray, false, 16, 0},
                      RoundTripCase{"PngGrayAlpha8", FileFormat::Png, ColorModel::Gray, true, 8, 0},
                      RoundTripCase{"PngGrayAlpha16", FileFormat::Png, ColorModel::Gray, true, 16, 0},
                      RoundTripCase{"PngRgb8", FileFormat::Png, ColorModel::Rgb, false, 8, 0},
                      RoundTripCase{"PngRgb16", FileFormat::Png, ColorModel::Rgb, false, 16, 0},
                      RoundTripCase{"PngRgba8", FileFormat::Png, ColorModel::Rgb, true, 8, 0},
                      RoundTripCase{"PngRgba16", FileFormat::Png, ColorModel::Rgb, true, 16, 0},
                      RoundTripCase{"TiffGray8", FileFormat::Tiff, ColorModel::Gray, false, 8, 0},
                      RoundTripCase{"TiffGrayAlpha16", FileFormat::Tiff, ColorModel::Gray, true, 16, 0},
                      RoundTripCase{"TiffRgb8", FileFormat::Tiff, ColorModel::Rgb, false, 8, 0},
                      RoundTripCase{"TiffRgb16", FileFormat::Tiff, ColorModel::Rgb, false, 16, 0},
                      RoundTripCase{"TiffRgba8", FileFormat::Tiff, ColorModel::Rgb, true, 8, 0},
                      RoundTripCase{"TiffRgba16", FileFormat::Tiff, ColorModel::Rgb, true, 16, 0},
                      RoundTripCase{"TiffCmyk8", FileFormat::Tiff, ColorModel::Cmyk, false, 8, 0},
                      RoundTripCase{"TiffCmyk16", FileFormat::Tiff, ColorModel::Cmyk, false, 16, 0},
                      RoundTripCase{"TiffCmyka8", FileFormat::Tiff, ColorModel::Cmyk, true, 8, 0},
                      RoundTripCase{"TiffCmyka16", FileFormat::Tiff, ColorModel::Cmyk, true, 16, 0},
                      RoundTripCase{"JpegGray", FileFormat::Jpeg, ColorModel::Gray, false, 8, 2},
                      RoundTripCase{"JpegRgb", FileFormat::Jpeg, ColorModel::Rgb, false, 8, 3},
                      RoundTripCase{"JpegCmyk", FileFormat::Jpeg, ColorModel::Cmyk, false, 8, 2}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

struct TiffLayoutCase {
    const char* name;
    uint16_t compression, predictor, planar;
    ColorModel model;
    bool alpha;
    int depth;
};

class TiffLayoutKept : public ScratchDir, public ::testing::WithParamInterface<TiffLayoutCase> {};

TEST_P(TiffLayoutKept, CompressionPredictorAndPlanesSurvive) {
    const TiffLayoutCase& c = GetParam();
    Image image = MakeNoiseImage(FileFormat::Tiff, c.model, c.alpha, c.depth, 301, 67, 11);
    image.tiff.compression = c.compression;
    image.tiff.predictor = c.predictor;
    image.tiff.planarConfig = c.planar;
    image.tiff.orientation = ORIENTATION_BOTRIGHT;
    ASSERT_TRUE(WriteImageFile(Path("a.tif"), image).ok);
    Image back;
    const ImageIoResult read = ReadImageFile(Path("a.tif"), back);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(back.tiff.compression, c.compression);
    EXPECT_EQ(back.tiff.predictor, c.predictor);
    EXPECT_EQ(back.tiff.planarConfig, c.planar);
    EXPECT_EQ(back.tiff.orientation, ORIENTATION_BOTRIGHT);
    EXPECT_TRUE(back.samples8 == image.samples8 && back.samples16 == image.samples16);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TiffLayoutKept,
    ::testing::Values(
        TiffLayoutCase{"None", COMPRESSION_NONE, PREDICTOR_NONE, PLANARCONFIG_CONTIG, ColorModel::Rgb, true, 8},
        TiffLayoutCase{"LzwPredictor16", COMPRESSION_LZW, PREDICTOR_HORIZONTAL, PLANARCONFIG_CONTIG, ColorModel::Rgb,
                       false, 16},
        TiffLayoutCase{"DeflateSeparate", COMPRESSION_ADOBE_DEFLATE, PREDICTOR_NONE, PLANARCONFIG_SEPARATE,
                       ColorModel::Cmyk, true, 16},
        TiffLayoutCase{"PackBitsSeparate", COMPRESSION_PACKBITS, PREDICTOR_NONE, PLANARCONFIG_SEPARATE,
                       ColorModel::Cmyk, false, 8},
        TiffLayoutCase{"LzwPredictorSeparate", COMPRESSION_LZW, PREDICTOR_HORIZONTAL, PLANARCONFIG_SEPARATE,
                       ColorModel::Rgb, true, 8}),
    [](const ::testing::TestParamInfo<TiffLayoutCase>& info) { return std::string(info.param.name); });

class PngChunks : public ScratchDir {};

TEST_F(PngChunks, GammaChromaticitiesSrgbAndInterlaceSurvive) {
    Image image = MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 19, 17, 3);
    image.png.interlaced = true;
    image.png.srgbIntent = 1;
    image.png.hasGamma = true;
    image.png.gamma = 45455;
    image.png.hasChromaticities = true;
    const int32_t chrm[8] = {31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000};
    std::copy(chrm, chrm + 8, image.png.chromaticities);
    image.resolution = Resolution{true, 40, 20, ResolutionUnit::Centimetre};
    ASSERT_TRUE(WriteImageFile(Path("c.png"), image).ok);
    Image back;
    ASSERT_TRUE(ReadImageFile(Path("c.png"), back).ok);
    EXPECT_TRUE(back.png.interlaced);
    EXPECT_EQ(back.png.srgbIntent, 1);
    EXPECT_TRUE(back.png.hasGamma);
    EXPECT_EQ(back.png.gamma, 45455);
    EXPECT_TRUE(back.png.hasChromaticities);
    EXPECT_TRUE(std::equal(chrm, chrm + 8, back.png.chromaticities));
    EXPECT_EQ(back.resolution.unit, ResolutionUnit::Centimetre);
    EXPECT_DOUBLE_EQ(back.resolution.x, 40);
    EXPECT_DOUBLE_EQ(back.resolution.y, 20);
    EXPECT_EQ(back.samples8, image.samples8);
}

class JpegChoices : public ScratchDir {};

TEST_F(JpegChoices, ProgressiveAndYcckSurvive) {
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 40, 30);
    image.jpeg.progressive = true;
    image.jpeg.ycck = true;
    ASSERT_TRUE(WriteImageFile(Path("p.jpg"), image).ok);
    Image back;
    ASSERT_TRUE(ReadImageFile(Path("p.jpg"), back).ok);
    EXPECT_TRUE(back.jpeg.progressive);
    EXPECT_TRUE(back.jpeg.ycck);
    EXPECT_EQ(back.model, ColorModel::Cmyk);
    EXPECT_LE(MaxSampleDifference(back, image), 12);  // quality 92, subsampled
}

TEST_F(JpegChoices, LowerQualityGivesASmallerFile) {
    const Image image = MakeNoiseImage(FileFormat::Jpeg, ColorModel::Rgb, false, 8, 64, 64, 5);
    ASSERT_TRUE(WriteImageFile(Path("q92.jpg"), image).ok);
    ASSERT_TRUE(WriteImageFile(Path("q40.jpg"), image, WriteOptions{40}).ok);
    EXPECT_LT(ReadBytes(Path("q40.jpg")).size(), ReadBytes(Path("q92.jpg")).size());
    EXPECT_FALSE(WriteImageFile(Path("q0.jpg"), image, WriteOptions{0}).ok);
}

}  // namespace
