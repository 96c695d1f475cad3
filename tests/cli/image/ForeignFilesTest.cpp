// Files our writers never make, written with libpng, libtiff and libjpeg
// directly: palettes, low-bit gray, tiles, premultiplied and min-is-white
// TIFFs, CMYK JPEGs with and without Adobe's marker. Each reads as the image
// it holds and comes back the same through our writer; the modes the reader
// does not take are refused with their reason.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <cstring>

#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"

namespace {

// Rows as the file stores them (16-bit big-endian), with a palette and its
// alphas, or a colour key, when given.
void WritePngFile(const std::string& path, uint32_t width, uint32_t height, int bitDepth, int colorType,
                  const std::vector<uint8_t>& rows, const std::vector<png_color>& palette = {},
                  std::vector<uint8_t> alphas = {}, png_color_16* key = nullptr) {
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, bitDepth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!alphas.empty() || key) png_set_tRNS(png, info, alphas.data(), int(alphas.size()), key);
    png_write_info(png, info);
    for (uint32_t y = 0; y < height; ++y) png_write_row(png, rows.data() + y * (rows.size() / height));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

struct TiffShape {
    uint32_t width = 4, height = 3;
    uint16_t samplesPerPixel = 3, bitsPerSample = 8, photometric = PHOTOMETRIC_RGB, planar = PLANARCONFIG_CONTIG;
    std::vector<uint16_t> extraKinds;  // no ExtraSamples tag when empty
    uint16_t inkSet = 0;               // 0: no InkSet tag
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    uint32_t tileSize = 0;             // 0: one strip
};

size_t TiffBytes(const TiffShape& s) {
    return (size_t(s.width) * s.samplesPerPixel * s.bitsPerSample + 7) / 8 * s.height;
}

// `samples` interleaved, 16-bit ones in native order: as the first strip,
// whatever their length, or as tiles (of every plane when separate).
void WriteTiffFile(const std::string& path, const TiffShape& s, const std::vector<uint8_t>& samples) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.planar);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, s.sampleFormat);
    if (s.inkSet) TIFFSetField(tif, TIFFTAG_INKSET, s.inkSet);
    if (!s.extraKinds.empty())
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, uint16_t(s.extraKinds.size()), s.extraKinds.data());
    if (!s.tileSize) {
        // A file claiming more than it holds gets strips of one row: libtiff's buffer is one strip.
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, samples.size() < TiffBytes(s) ? 1u : s.height);
        TIFFWriteEncodedStrip(tif, 0, const_cast<uint8_t*>(samples.data()), tmsize_t(samples.size()));
        TIFFClose(tif);
        return;
    }
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, s.tileSize);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, s.tileSize);
    const bool separate = s.planar == PLANARCONFIG_SEPARATE;
    const size_t sampleBytes = s.bitsPerSample / 8, pixelBytes = sampleBytes * s.samplesPerPixel;
    const size_t copied = separate ? sampleBytes : pixelBytes;
    std::vector<uint8_t> tile(size_t(s.tileSize) * s.tileSize * copied);
    for (int p = 0; p < (separate ? s.samplesPerPixel : 1); ++p)
        for (uint32_t ty = 0; ty < s.height; ty += s.tileSize)
            for (uint32_t tx = 0; tx < s.width; tx += s.tileSize) {
                std::fill(tile.begin(), tile.end(), 0);
                for (uint32_t y = ty; y < std::min(s.height, ty + s.tileSize); ++y)
                    for (uint32_t x = tx; x < std::min(s.width, tx + s.tileSize); ++x)
                        std::memcpy(&tile[((y - ty) * s.tileSize + x - tx) * copied],
                                    &samples[(size_t(y) * s.width + x) * pixelBytes + p * sampleBytes], copied);
                TIFFWriteTile(tif, tile.data(), tx, ty, 0, uint16_t(p));
            }
    TIFFClose(tif);
}

// 8-bit CMYK from ink amounts (0 = no ink): stored inverted with Adobe's
// marker, as Photoshop writes it, or plain without.
void WriteCmykJpeg(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& ink,
                   bool adobeInverted) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.write_Adobe_marker = adobeInverted ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(width * 4);
    for (uint32_t y = 0; y < height; ++y) {
        for (size_t i = 0; i < row.size(); ++i) row[i] = ink[y * row.size() + i] ^ (adobeInverted ? 0xFF : 0);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

Image Expected(ColorModel model, bool alpha, uint32_t width, uint32_t height, const std::vector<uint8_t>& samples) {
    Image image;
    image.model = model, image.hasAlpha = alpha, image.width = width, image.height = height;
    image.samples8 = samples;
    return image;
}

Image Tiled(const std::string& path, ColorModel model, bool alpha, int depth, uint16_t planar) {
    const Image image = MakeNoiseImage(FileFormat::Tiff, model, alpha, depth, 40, 23, 9);
    TiffShape shape;
    shape.width = 40, shape.height = 23, shape.tileSize = 16, shape.planar = planar;
    shape.samplesPerPixel = uint16_t(SamplesPerPixel(image)), shape.bitsPerSample = uint16_t(depth);
    shape.photometric = model == ColorModel::Cmyk ? PHOTOMETRIC_SEPARATED : PHOTOMETRIC_RGB;
    if (alpha) shape.extraKinds = {EXTRASAMPLE_UNASSALPHA};
    const auto* bytes = depth == 16 ? reinterpret_cast<const uint8_t*>(image.samples16.data()) : image.samples8.data();
    WriteTiffFile(path, shape, std::vector<uint8_t>(bytes, bytes + SampleCount(image) * (depth / 8)));
    return image;
}

// One row of 8-bit pixels as stored.
void OneRow(const std::string& path, uint16_t photometric, uint16_t spp, std::vector<uint16_t> extras,
            const std::vector<uint8_t>& stored) {
    TiffShape shape;
    shape.width = uint32_t(stored.size() / spp), shape.height = 1;
    shape.photometric = photometric, shape.samplesPerPixel = spp, shape.extraKinds = std::move(extras);
    WriteTiffFile(path, shape, stored);
}

// Two flat blocks: quality 100 keeps them within a level or two.
std::vector<uint8_t> TwoInks() {
    std::vector<uint8_t> ink(16 * 16 * 4);
    const uint8_t right[4] = {200, 30, 120, 255};
    for (size_t i = 0; i < ink.size(); ++i) ink[i] = (i / 4) % 16 < 8 ? 0 : right[i % 4];
    return ink;
}

// `path` reads as `expected`; written in its own format and read again, it
// keeps its samples and layout.
void ExpectReadsAs(const std::string& path, const Image& expected, int tolerance = 0) {
    SCOPED_TRACE(path);
    Image image, back;
    const ImageIoResult read = ReadImageFile(path, image);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(image.model, expected.model);
    EXPECT_EQ(image.hasAlpha, expected.hasAlpha);
    ASSERT_EQ(image.depth, expected.depth);
    ASSERT_EQ(SampleCount(image), SampleCount(expected));
    EXPECT_LE(MaxSampleDifference(image, expected), tolerance);
    ASSERT_TRUE(WriteImageFile(path + ".back", image).ok);
    ASSERT_TRUE(ReadImageFile(path + ".back", back).ok);
    ASSERT_EQ(SampleCount(back), SampleCount(image));
    EXPECT_LE(MaxSampleDifference(back, image), tolerance);
    EXPECT_EQ(back.tiff.alphaKind, image.tiff.alphaKind);
    EXPECT_EQ(back.tiff.minIsWhite, image.tiff.minIsWhite);
}

using Foreign = ScratchDir;

TEST_F(Foreign, PngPaletteColourKeyLowBitGrayAndSixteenBitsInTheFilesByteOrder) {
    WritePngFile(Path("palette.png"), 3, 1, 8, PNG_COLOR_TYPE_PALETTE, {0, 1, 2},
                 {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {255, 128, 0});
    ExpectReadsAs(Path("palette.png"),
                  Expected(ColorModel::Rgb, true, 3, 1, {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0}));
    png_color_16 key{0, 10, 20, 30, 0};  // the second pixel's colour is keyed out
    WritePngFile(Path("key.png"), 2, 1, 8, PNG_COLOR_TYPE_RGB, {200, 100, 50, 10, 20, 30}, {}, {}, &key);
    ExpectReadsAs(Path("key.png"), Expected(ColorModel::Rgb, true, 2, 1, {200, 100, 50, 255, 10, 20, 30, 0}));
    WritePngFile(Path("gray2.png"), 4, 1, 2, PNG_COLOR_TYPE_GRAY, {0x1B});
    ExpectReadsAs(Path("gray2.png"), Expected(ColorModel::Gray, false, 4, 1, {0, 85, 170, 255}));
    WritePngFile(Path("rgb16.png"), 1, 1, 16, PNG_COLOR_TYPE_RGB, {0x01, 0x02, 0x80, 0x04, 0xFF, 0xFE});
    Image rgb16 = Expected(ColorModel::Rgb, false, 1, 1, {});
    rgb16.depth = 16, rgb16.samples16 = {0x0102, 0x8004, 0xFFFE};
    ExpectReadsAs(Path("rgb16.png"), rgb16);
}

TEST_F(Foreign, TiffTilesExtraSamplesAndMinIsWhite) {
    ExpectReadsAs(Path("cmyk16.tif"), Tiled(Path("cmyk16.tif"), ColorModel::Cmyk, false, 16, PLANARCONFIG_CONTIG));
    ExpectReadsAs(Path("rgba8.tif"), Tiled(Path("rgba8.tif"), ColorModel::Rgb, true, 8, PLANARCONFIG_SEPARATE));
    // Straight (200, 100, 50) at alpha 128, 255 and 0, premultiplied.
    OneRow(Path("assoc.tif"), PHOTOMETRIC_RGB, 4, {EXTRASAMPLE_ASSOCALPHA},
           {100, 50, 25, 128, 200, 100, 50, 255, 0, 0, 0, 0});
    ExpectReadsAs(Path("assoc.tif"),
                  Expected(ColorModel::Rgb, true, 3, 1, {199, 100, 50, 128, 200, 100, 50, 255, 0, 0, 0, 0}));
    OneRow(Path("unspecified.tif"), PHOTOMETRIC_RGB, 4, {EXTRASAMPLE_UNSPECIFIED}, {1, 2, 3, 4});
    ExpectReadsAs(Path("unspecified.tif"), Expected(ColorModel::Rgb, true, 1, 1, {1, 2, 3, 4}));
    OneRow(Path("white.tif"), PHOTOMETRIC_MINISWHITE, 1, {}, {0, 55, 255});
    ExpectReadsAs(Path("white.tif"), Expected(ColorModel::Gray, false, 3, 1, {255, 200, 0}));
}

TEST_F(Foreign, CmykJpegWithAndWithoutAdobesMarkerHoldsTheInk) {
    for (bool adobe : {true, false}) {
        WriteCmykJpeg(Path("cmyk.jpg"), 16, 16, TwoInks(), adobe);
        ExpectReadsAs(Path("cmyk.jpg"), Expected(ColorModel::Cmyk, false, 16, 16, TwoInks()), 3);
    }
}

TiffShape Shape(uint16_t photometric, uint16_t spp, uint16_t bits, std::vector<uint16_t> extras = {},
                uint16_t inkSet = 0, uint16_t sampleFormat = SAMPLEFORMAT_UINT) {
    TiffShape shape;
    shape.photometric = photometric, shape.samplesPerPixel = spp, shape.bitsPerSample = bits;
    shape.extraKinds = std::move(extras), shape.inkSet = inkSet, shape.sampleFormat = sampleFormat;
    return shape;
}

TEST_F(Foreign, UnsupportedTiffModesAreRefusedWithTheirReason) {
    const std::pair<TiffShape, const char*> modes[] = {
        {Shape(PHOTOMETRIC_CIELAB, 3, 8), "Lab"},
        {Shape(PHOTOMETRIC_RGB, 3, 4), "4 bits"},
        {Shape(PHOTOMETRIC_SEPARATED, 3, 8), "fewer samples"},
        {Shape(PHOTOMETRIC_RGB, 5, 8, {EXTRASAMPLE_UNASSALPHA, EXTRASAMPLE_UNASSALPHA}), "more than one extra channel"},
        {Shape(PHOTOMETRIC_RGB, 3, 16, {}, 0, SAMPLEFORMAT_IEEEFP), "unsigned integers"},
        {Shape(PHOTOMETRIC_SEPARATED, 4, 8, {}, INKSET_MULTIINK), "other than CMYK"}};
    for (const auto& [shape, words] : modes) {
        WriteTiffFile(Path("mode.tif"), shape, std::vector<uint8_t>(TiffBytes(shape), 0x40));
        ExpectReadRefused(Path("mode.tif"), words);
    }
}

// The sizes are checked before anything is allocated: a header may claim
// what no file of its length can hold.
TEST_F(Foreign, SizesBeyondTheLimitsOrTheDataAreRefused) {
    const std::vector<uint8_t> small(1024, 0x80);
    TiffShape shape;
    shape.width = shape.height = 100000;
    WriteTiffFile(Path("huge.tif"), shape, small);
    ExpectReadRefused(Path("huge.tif"), "too large");
    shape.width = shape.height = 16000;  // within the limits, but 1 KB cannot hold it
    WriteTiffFile(Path("hollow.tif"), shape, small);
    ExpectReadRefused(Path("hollow.tif"), "truncated or corrupt");
}

}  // namespace
