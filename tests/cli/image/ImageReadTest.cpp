// Files the writers never make: palettes, low-bit gray, colour keys, tiles,
// premultiplied and min-is-white TIFFs, CMYK JPEGs from other programs; and
// the shared sample photographs.
#include <gtest/gtest.h>

#include <tiffio.h>

#include <cstring>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/cli/LibraryWriters.h"

namespace {

class ImageRead : public ScratchDir {};

std::vector<uint8_t> Bytes16(const std::vector<uint16_t>& samples) {
    std::vector<uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

TEST_F(ImageRead, PaletteBecomesRgbaAndIsWrittenBackAsRgba) {
    WritePalettePng(Path("p.png"));
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("p.png"), image).ok);
    EXPECT_EQ(image.model, ColorModel::Rgb);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_TRUE(image.png.fromPalette);
    const std::vector<uint8_t> expected = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 0,
                                           0, 0, 255, 0, 0, 255, 0, 255, 255, 0, 0, 255};
    EXPECT_EQ(image.samples8, expected);
    ASSERT_TRUE(WriteImageFile(Path("back.png"), image).ok);
    const std::vector<uint8_t> file = ReadBytes(Path("back.png"));
    ASSERT_GT(file.size(), 26u);
    EXPECT_EQ(file[25], 6);  // IHDR colour type: RGBA
    Image back;
    ASSERT_TRUE(ReadImageFile(Path("back.png"), back).ok);
    EXPECT_EQ(back.samples8, expected);
}

TEST_F(ImageRead, TwoBitGrayIsScaledToEightBits) {
    WriteGray2BitPng(Path("g.png"));
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("g.png"), image).ok);
    EXPECT_EQ(image.model, ColorModel::Gray);
    EXPECT_EQ(image.depth, 8);
    EXPECT_TRUE(image.png.fromLowBitGray);
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{0, 85, 170, 255}));
}

TEST_F(ImageRead, ColourKeyBecomesAlpha) {
    WriteColorKeyPng(Path("k.png"));
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("k.png"), image).ok);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{200, 100, 50, 255, 10, 20, 30, 0}));
}

TEST_F(ImageRead, FormatComesFromTheBytesNotTheName) {
    const Image image = MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 5, 4, 1);
    ASSERT_TRUE(WriteImageFile(Path("real.png"), image).ok);
    std::rename(Path("real.png").c_str(), Path("looks.jpg").c_str());
    Image back;
    ASSERT_TRUE(ReadImageFile(Path("looks.jpg"), back).ok);
    EXPECT_EQ(back.format, FileFormat::Png);
    EXPECT_EQ(back.samples8, image.samples8);
}

struct TiledCase {
    const char* name;
    uint16_t planar, bits, samples, photometric;
};

class TiledTiff : public ScratchDir, public ::testing::WithParamInterface<TiledCase> {};

TEST_P(TiledTiff, TilesClippedAtTheEdgesGiveTheImage) {
    const TiledCase& c = GetParam();
    const ColorModel model = c.photometric == PHOTOMETRIC_SEPARATED ? ColorModel::Cmyk : ColorModel::Rgb;
    const bool alpha = c.samples > (model == ColorModel::Cmyk ? 4 : 3);
    const Image image = MakeNoiseImage(FileFormat::Tiff, model, alpha, c.bits, 40, 23, 9);
    TiffShape shape;
    shape.width = 40;
    shape.height = 23;
    shape.samplesPerPixel = c.samples;
    shape.bitsPerSample = c.bits;
    shape.photometric = c.photometric;
    shape.planar = c.planar;
    shape.tileSize = 16;
    shape.compression = COMPRESSION_ADOBE_DEFLATE;
    if (alpha) shape.extraKind = EXTRASAMPLE_UNASSALPHA;
    WriteTiffWithLibtiff(Path("t.tif"), shape, c.bits == 16 ? Bytes16(image.samples16) : image.samples8);
    Image back;
    const ImageIoResult read = ReadImageFile(Path("t.tif"), back);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(back.tiff.tiled);
    EXPECT_EQ(back.hasAlpha, alpha);
    EXPECT_TRUE(back.samples8 == image.samples8 && back.samples16 == image.samples16);
    // Written back as strips, same samples.
    ASSERT_TRUE(WriteImageFile(Path("s.tif"), back).ok);
    Image strips;
    ASSERT_TRUE(ReadImageFile(Path("s.tif"), strips).ok);
    EXPECT_FALSE(strips.tiff.tiled);
    EXPECT_TRUE(strips.samples8 == image.samples8 && strips.samples16 == image.samples16);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TiledTiff,
                         ::testing::Values(TiledCase{"Rgb16Contiguous", PLANARCONFIG_CONTIG, 16, 3, PHOTOMETRIC_RGB},
                                           TiledCase{"Rgba8Separate", PLANARCONFIG_SEPARATE, 8, 4, PHOTOMETRIC_RGB},
                                           TiledCase{"Cmyk8Contiguous", PLANARCONFIG_CONTIG, 8, 4,
                                                     PHOTOMETRIC_SEPARATED},
                                           TiledCase{"Cmyka16Separate", PLANARCONFIG_SEPARATE, 16, 5,
                                                     PHOTOMETRIC_SEPARATED}),
                         [](const ::testing::TestParamInfo<TiledCase>& info) { return std::string(info.param.name); });

TEST_F(ImageRead, AssociatedAlphaIsStraightenedAndPremultipliedAgain) {
    TiffShape shape;
    shape.width = 3;
    shape.height = 1;
    shape.samplesPerPixel = 4;
    shape.extraKind = EXTRASAMPLE_ASSOCALPHA;
    // Straight (200, 100, 50) at alpha 128, 255 and 0, premultiplied.
    WriteTiffWithLibtiff(Path("a.tif"), shape, {100, 50, 25, 128, 200, 100, 50, 255, 0, 0, 0, 0});
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("a.tif"), image).ok);
    EXPECT_EQ(image.tiff.alphaKind, EXTRASAMPLE_ASSOCALPHA);
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{199, 100, 50, 128, 200, 100, 50, 255, 0, 0, 0, 0}));
    ASSERT_TRUE(WriteImageFile(Path("b.tif"), image).ok);
    // Read the stored samples without straightening them.
    TIFF* tif = TIFFOpen(Path("b.tif").c_str(), "r");
    ASSERT_NE(tif, nullptr);
    uint16_t count = 0, *kinds = nullptr;
    ASSERT_TRUE(TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds));
    EXPECT_EQ(kinds[0], EXTRASAMPLE_ASSOCALPHA);
    uint8_t stored[12];
    ASSERT_EQ(TIFFReadEncodedStrip(tif, 0, stored, 12), 12);
    TIFFClose(tif);
    EXPECT_EQ(std::vector<uint8_t>(stored, stored + 12),
              (std::vector<uint8_t>{100, 50, 25, 128, 200, 100, 50, 255, 0, 0, 0, 0}));
}

TEST_F(ImageRead, UnspecifiedExtraSampleIsTransparencyAndStaysUnspecified) {
    TiffShape shape;
    shape.width = 1;
    shape.height = 1;
    shape.samplesPerPixel = 4;
    shape.extraKind = EXTRASAMPLE_UNSPECIFIED;
    WriteTiffWithLibtiff(Path("u.tif"), shape, {1, 2, 3, 4});
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("u.tif"), image).ok);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{1, 2, 3, 4}));
    ASSERT_TRUE(WriteImageFile(Path("v.tif"), image).ok);
    Image back;
    ASSERT_TRUE(ReadImageFile(Path("v.tif"), back).ok);
    EXPECT_EQ(back.tiff.alphaKind, EXTRASAMPLE_UNSPECIFIED);
}

TEST_F(ImageRead, MinIsWhiteGrayIsTurnedRoundBothWays) {
    TiffShape shape;
    shape.width = 3;
    shape.height = 1;
    shape.samplesPerPixel = 1;
    shape.photometric = PHOTOMETRIC_MINISWHITE;
    WriteTiffWithLibtiff(Path("w.tif"), shape, {0, 55, 255});
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("w.tif"), image).ok);
    EXPECT_EQ(image.model, ColorModel::Gray);
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{255, 200, 0}));
    ASSERT_TRUE(WriteImageFile(Path("x.tif"), image).ok);
    TIFF* tif = TIFFOpen(Path("x.tif").c_str(), "r");
    ASSERT_NE(tif, nullptr);
    uint8_t stored[3];
    ASSERT_EQ(TIFFReadEncodedStrip(tif, 0, stored, 3), 3);
    TIFFClose(tif);
    EXPECT_EQ(std::vector<uint8_t>(stored, stored + 3), (std::vector<uint8_t>{0, 55, 255}));
}

class CmykJpeg : public ScratchDir, public ::testing::WithParamInterface<bool> {};

TEST_P(CmykJpeg, InkAmountsComeOutTheSameWithOrWithoutAdobesMarker) {
    // Flat blocks: quality 100 keeps them within a level or two.
    std::vector<uint8_t> ink(16 * 16 * 4);
    for (size_t i = 0; i < ink.size(); i += 4) {
        const bool left = (i / 4) % 16 < 8;
        ink[i] = left ? 0 : 200;
        ink[i + 1] = left ? 0 : 30;
        ink[i + 2] = left ? 0 : 120;
        ink[i + 3] = left ? 0 : 255;
    }
    WriteCmykJpeg(Path("c.jpg"), 16, 16, ink, GetParam());
    Image image;
    ASSERT_TRUE(ReadImageFile(Path("c.jpg"), image).ok);
    ASSERT_EQ(image.model, ColorModel::Cmyk);
    ASSERT_EQ(image.samples8.size(), ink.size());
    for (size_t i = 0; i < ink.size(); ++i) ASSERT_NEAR(image.samples8[i], ink[i], 3) << i;
}

INSTANTIATE_TEST_SUITE_P(Marker, CmykJpeg, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "AdobeInverted" : "Plain");
                         });

TEST_F(ImageRead, CmykJpegIsWrittenInvertedWithAdobesMarker) {
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 16, 16);
    std::fill(image.samples8.begin(), image.samples8.end(), 0);  // no ink at all
    ASSERT_TRUE(WriteImageFile(Path("w.jpg"), image).ok);
    bool adobe = false;
    const std::vector<uint8_t> raw = RawJpegSamples(Path("w.jpg"), &adobe);
    EXPECT_TRUE(adobe);
    for (uint8_t v : raw) ASSERT_GE(v, 253);  // stored as 255 = no ink
}

TEST(FormatFromExtension, NamesTheFormatsAnyCase) {
    const std::pair<const char*, FileFormat> known[] = {
        {"a.png", FileFormat::Png},  {"a.PNG", FileFormat::Png},   {"dir.x/a.tif", FileFormat::Tiff},
        {"a.TIFF", FileFormat::Tiff}, {"a.jpg", FileFormat::Jpeg}, {"a.Jpeg", FileFormat::Jpeg},
        {"a.jpe", FileFormat::Jpeg}};
    for (const auto& [name, format] : known) {
        FileFormat found;
        ASSERT_TRUE(FormatFromExtension(name, found)) << name;
        EXPECT_EQ(found, format) << name;
    }
    FileFormat found;
    EXPECT_FALSE(FormatFromExtension("a.gif", found));
    EXPECT_FALSE(FormatFromExtension("dir.png/a", found));
    EXPECT_FALSE(FormatFromExtension("noextension", found));
}

struct SampleCase {
    const char* file;
    uint32_t width, height;
    ColorModel model;
    bool alpha;
    int depth;
    FileFormat format;
};

class SamplePhotos : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SamplePhotos, ReadWithTheirSizeAndMode) {
    const SampleCase& c = GetParam();
    Image image;
    const ImageIoResult read = ReadImageFile(SamplesDir() + "/" + c.file, image);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.model, c.model);
    EXPECT_EQ(image.hasAlpha, c.alpha);
    EXPECT_EQ(image.depth, c.depth);
    EXPECT_EQ(image.format, c.format);
    EXPECT_EQ(image.depth == 16 ? image.samples16.size() : image.samples8.size(), SampleCount(image));
    // Real photographs use more than a sliver of the range.
    if (image.depth == 8) {
        const auto [lo, hi] = std::minmax_element(image.samples8.begin(), image.samples8.end());
        EXPECT_GT(*hi - *lo, 200);
    } else {
        const auto [lo, hi] = std::minmax_element(image.samples16.begin(), image.samples16.end());
        EXPECT_GT(*hi - *lo, 40000);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shared, SamplePhotos,
    ::testing::Values(SampleCase{"astronaut.png", 512, 512, ColorModel::Rgb, false, 8, FileFormat::Png},
                      SampleCase{"astronaut-rgba.png", 512, 512, ColorModel::Rgb, true, 8, FileFormat::Png},
                      SampleCase{"coffee.png", 600, 400, ColorModel::Rgb, false, 8, FileFormat::Png},
                      SampleCase{"sunset-rgb16.png", 1024, 512, ColorModel::Rgb, false, 16, FileFormat::Png},
                      SampleCase{"astronaut-cmyk8.tif", 512, 512, ColorModel::Cmyk, false, 8, FileFormat::Tiff},
                      SampleCase{"astronaut-cmyk16.tif", 512, 512, ColorModel::Cmyk, false, 16, FileFormat::Tiff}));

TEST(SamplePhotosAgree, EightAndSixteenBitCmykHoldTheSameInk) {
    Image eight, sixteen;
    ASSERT_TRUE(ReadImageFile(SamplesDir() + "/astronaut-cmyk8.tif", eight).ok);
    ASSERT_TRUE(ReadImageFile(SamplesDir() + "/astronaut-cmyk16.tif", sixteen).ok);
    ASSERT_EQ(eight.samples8.size(), sixteen.samples16.size());
    int worst = 0;
    for (size_t i = 0; i < eight.samples8.size(); ++i) {
        worst = std::max(worst, std::abs(int(eight.samples8[i]) - (sixteen.samples16[i] + 128) / 257));
    }
    EXPECT_LE(worst, 2);
}

}  // namespace
