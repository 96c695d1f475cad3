// The parts of lumeric.exe without a Windows call, checked on Linux against
// the libraries the Linux command uses: the pixel layouts of the Windows
// Imaging Component, the TIFF writer (read back by libtiff), profile
// embedding in PNG and JPEG (read back by libpng and libjpeg), the colour
// suite's sample scaling, and the output formats.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <cstdio>

#include "cli/image/ImageIo.h"
#include "cli/win32/PackedPixels.h"
#include "cli/win32/ProfileEmbedding.h"
#include "cli/win32/SuiteColors.h"
#include "cli/win32/TiffEncoder.h"
#include "cli/win32/WindowsFormats.h"
#include "tests/cli/CliTestFiles.h"

namespace {

// ---------------------------------------------------------------- layouts

struct LayoutCase {
    PackedLayout layout;
    ColorModel model;
    bool alpha;
    int depth;
    std::vector<int> order;  // image sample of each packed channel (-1 padding)
};

class Layouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Layouts, PutEachChannelWhereTheSystemExpectsIt) {
    const LayoutCase& c = GetParam();
    Image image;
    image.width = 3;
    image.height = 2;
    image.model = c.model;
    image.hasAlpha = c.alpha;
    image.depth = c.depth;
    AllocateSamples(image);
    for (size_t i = 0; i < SampleCount(image); ++i) {
        if (c.depth == 16) image.samples16[i] = uint16_t(0x0101 * (i + 1) + 0x1000);
        else image.samples8[i] = uint8_t(7 * i + 3);
    }
    const size_t pixelBytes = PackedBytesPerPixel(c.layout);
    const size_t stride = pixelBytes * 3 + 5;  // rows padded, as the system may ask
    std::vector<uint8_t> packed(stride * 2, 0xAA);
    PackRows(image, c.layout, 0, 2, packed.data(), stride);

    const int spp = SamplesPerPixel(image);
    const int bytes = c.depth == 16 ? 2 : 1;
    for (uint32_t y = 0; y < 2; ++y) {
        for (uint32_t x = 0; x < 3; ++x) {
            for (size_t k = 0; k < c.order.size(); ++k) {
                const uint8_t* at = packed.data() + y * stride + x * pixelBytes + k * size_t(bytes);
                const uint32_t got = bytes == 2 ? uint32_t(at[0] | at[1] << 8) : at[0];
                const size_t sample = (size_t(y) * 3 + x) * spp + size_t(c.order[k]);
                const uint32_t want = c.order[k] < 0    ? (bytes == 2 ? 0xFFFFu : 0xFFu)
                                      : c.depth == 16 ? image.samples16[sample]
                                                      : image.samples8[sample];
                EXPECT_EQ(got, want) << "pixel " << x << "," << y << " channel " << k;
            }
        }
        EXPECT_EQ(packed[y * stride + 3 * pixelBytes], 0xAA) << "wrote past the row";
    }
    Image back = image;
    AllocateSamples(back);
    UnpackRows(c.layout, packed.data(), stride, 0, 2, back);
    EXPECT_EQ(back.samples8, image.samples8);
    EXPECT_EQ(back.samples16, image.samples16);
}

INSTANTIATE_TEST_SUITE_P(
    Packed, Layouts,
    ::testing::Values(LayoutCase{PackedLayout::Gray8, ColorModel::Gray, false, 8, {0}},
                      LayoutCase{PackedLayout::Gray16, ColorModel::Gray, false, 16, {0}},
                      LayoutCase{PackedLayout::Bgr8, ColorModel::Rgb, false, 8, {2, 1, 0}},
                      LayoutCase{PackedLayout::Rgb8, ColorModel::Rgb, false, 8, {0, 1, 2}},
                      LayoutCase{PackedLayout::Bgrx8, ColorModel::Rgb, false, 8, {2, 1, 0, -1}},
                      LayoutCase{PackedLayout::Bgra8, ColorModel::Rgb, true, 8, {2, 1, 0, 3}},
                      LayoutCase{PackedLayout::Rgba8, ColorModel::Rgb, true, 8, {0, 1, 2, 3}},
                      LayoutCase{PackedLayout::Rgb16, ColorModel::Rgb, false, 16, {0, 1, 2}},
                      LayoutCase{PackedLayout::Bgr16, ColorModel::Rgb, false, 16, {2, 1, 0}},
                      LayoutCase{PackedLayout::Rgba16, ColorModel::Rgb, true, 16, {0, 1, 2, 3}},
                      LayoutCase{PackedLayout::Bgra16, ColorModel::Rgb, true, 16, {2, 1, 0, 3}},
                      LayoutCase{PackedLayout::Cmyk8, ColorModel::Cmyk, false, 8, {0, 1, 2, 3}},
                      LayoutCase{PackedLayout::Cmyk16, ColorModel::Cmyk, false, 16, {0, 1, 2, 3}},
                      LayoutCase{PackedLayout::CmykAlpha8, ColorModel::Cmyk, true, 8, {0, 1, 2, 3, 4}},
                      LayoutCase{PackedLayout::CmykAlpha16, ColorModel::Cmyk, true, 16, {0, 1, 2, 3, 4}}));

// ---------------------------------------------------------------- TIFF

struct TiffCase {
    const char* name;
    ColorModel model;
    bool alpha;
    int depth;
    uint32_t width, height;
    bool profile, resolution;
};

void PrintTo(const TiffCase& c, std::ostream* out) { *out << c.name; }

class TiffFiles : public ScratchDir, public ::testing::WithParamInterface<TiffCase> {};

TEST_P(TiffFiles, ReadBackByLibtiffAsWritten) {
    const TiffCase& c = GetParam();
    Image image = MakeNoiseImage(FileFormat::Tiff, c.model, c.alpha, c.depth, c.width, c.height, 11);
    if (c.profile) image.iccProfile = c.model == ColorModel::Cmyk ? DefaultCmykProfileBytes() : SrgbProfileBytes();
    if (c.resolution) image.resolution = Resolution{true, 300, 118.11, ResolutionUnit::Centimetre};
    std::vector<uint8_t> file;
    ASSERT_EQ(EncodeTiff(image, [&](const void* data, size_t size) {
                  file.insert(file.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
                  return true;
              }),
              "");
    Image read;
    const ImageIoResult r = ReadImageMemory(file.data(), file.size(), "written.tif", read);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(read.width, image.width);
    EXPECT_EQ(read.height, image.height);
    EXPECT_EQ(read.model, image.model);
    EXPECT_EQ(read.hasAlpha, image.hasAlpha);
    EXPECT_EQ(read.tiff.alphaKind, 2) << "unassociated";
    EXPECT_EQ(read.depth, image.depth);
    EXPECT_EQ(read.samples8, image.samples8);
    EXPECT_EQ(read.samples16, image.samples16);
    EXPECT_EQ(read.iccProfile, image.iccProfile);
    EXPECT_EQ(read.resolution.present, c.resolution);
    if (c.resolution) {
        EXPECT_DOUBLE_EQ(read.resolution.x, 300);
        EXPECT_NEAR(read.resolution.y, 118.11, 1e-4);
        EXPECT_EQ(read.resolution.unit, ResolutionUnit::Centimetre);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TiffFiles,
    ::testing::Values(TiffCase{"Rgb8OneStrip", ColorModel::Rgb, false, 8, 17, 5, false, false},
                      TiffCase{"Rgba8WithProfile", ColorModel::Rgb, true, 8, 33, 21, true, true},
                      TiffCase{"Rgb16ManyStrips", ColorModel::Rgb, false, 16, 300, 90, false, true},
                      TiffCase{"Cmyk8WithProfile", ColorModel::Cmyk, false, 8, 64, 40, true, false},
                      TiffCase{"CmykAlpha16ManyStrips", ColorModel::Cmyk, true, 16, 257, 77, true, true},
                      TiffCase{"OnePixel", ColorModel::Cmyk, false, 8, 1, 1, false, false}),
    [](const ::testing::TestParamInfo<TiffCase>& info) { return std::string(info.param.name); });

TEST(TiffWriter, RefusesWhatItCannotWriteAndStopsWhenWritingFails) {
    Image gray = MakeNoiseImage(FileFormat::Tiff, ColorModel::Gray, false, 8, 4, 4, 1);
    auto sink = [](const void*, size_t) { return true; };
    EXPECT_NE(EncodeTiff(gray, sink), "");
    Image rgb = MakeNoiseImage(FileFormat::Tiff, ColorModel::Rgb, false, 8, 4, 4, 1);
    rgb.samples8.pop_back();
    EXPECT_EQ(EncodeTiff(rgb, sink), "the image holds the wrong number of samples");
    rgb.samples8.push_back(0);
    rgb.width = 40000;
    EXPECT_NE(EncodeTiff(rgb, sink).find("too large"), std::string::npos);
    rgb.width = 4;
    int calls = 0;
    EXPECT_EQ(EncodeTiff(rgb, [&](const void*, size_t) { return ++calls < 2; }), "cannot write the file");
    EXPECT_EQ(calls, 2) << "nothing written after the first failure";
}

// ---------------------------------------------------------------- profiles

class Profiles : public ScratchDir {
protected:
    std::vector<uint8_t> Encoded(FileFormat format, ColorModel model) {
        Image image = format == FileFormat::Jpeg ? MakeGradientImage(format, model, 40, 30)
                                                 : MakeNoiseImage(format, model, false, 8, 40, 30, 5);
        EXPECT_TRUE(WriteImageFile(Path("plain"), image).ok);
        return ReadBytes(Path("plain"));
    }
    Image Decoded(const std::vector<uint8_t>& bytes) {
        Image image;
        const ImageIoResult r = ReadImageMemory(bytes.data(), bytes.size(), "embedded", image);
        EXPECT_TRUE(r.ok) << r.message;
        return image;
    }
};

// An RGB profile of about 240 KB: three tone curves of 40000 entries.
std::vector<uint8_t> LargeRgbProfile() {
    cmsToneCurve* curves[3];
    for (int c = 0; c < 3; ++c) {
        std::vector<cmsUInt16Number> table(40000);
        for (size_t i = 0; i < table.size(); ++i)
            table[i] = cmsUInt16Number(65535.0 * std::pow(i / 39999.0, 2.2 + 0.1 * c));
        curves[c] = cmsBuildTabulatedToneCurve16(nullptr, cmsUInt32Number(table.size()), table.data());
    }
    cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsHPROFILE profile = cmsCreateRGBProfile(cmsD50_xyY(), &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    for (cmsToneCurve* curve : curves) cmsFreeToneCurve(curve);
    return bytes;
}

TEST_F(Profiles, APngCarriesTheProfileInAStoredDeflateStream) {
    const std::vector<uint8_t> large = LargeRgbProfile();
    ASSERT_GT(large.size(), 3u * 65535) << "spans several stored blocks";
    for (const std::vector<uint8_t>& profile : {SrgbProfileBytes(), large}) {
        ASSERT_FALSE(profile.empty());
        std::vector<uint8_t> png = Encoded(FileFormat::Png, ColorModel::Rgb);
        const Image before = Decoded(png);
        ASSERT_TRUE(EmbedPngProfile(png, profile));
        const Image after = Decoded(png);
        EXPECT_EQ(after.iccProfile, profile);
        EXPECT_EQ(after.samples8, before.samples8);
        EXPECT_FALSE(EmbedPngProfile(png, profile)) << "a second profile";
    }
    std::vector<uint8_t> notPng = {1, 2, 3};
    EXPECT_FALSE(EmbedPngProfile(notPng, SrgbProfileBytes()));
}

TEST_F(Profiles, AJpegCarriesTheProfileInNumberedSegments) {
    for (ColorModel model : {ColorModel::Rgb, ColorModel::Cmyk}) {
        const std::vector<uint8_t> profile = model == ColorModel::Cmyk ? DefaultCmykProfileBytes() : SrgbProfileBytes();
        std::vector<uint8_t> jpeg = Encoded(FileFormat::Jpeg, model);
        const Image before = Decoded(jpeg);
        ASSERT_TRUE(EmbedJpegProfile(jpeg, profile));
        const Image after = Decoded(jpeg);
        EXPECT_EQ(after.iccProfile, profile);
        EXPECT_EQ(after.samples8, before.samples8);
    }
    std::vector<uint8_t> huge(256 * 65519 + 1, 7);
    std::vector<uint8_t> jpeg = Encoded(FileFormat::Jpeg, ColorModel::Rgb);
    EXPECT_FALSE(EmbedJpegProfile(jpeg, huge)) << "more than 255 segments";
}

TEST_F(Profiles, AJpegsProfileIsFoundInItsSegments) {
    // As the Linux writer stores it, and as EmbedJpegProfile does.
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 24, 16);
    image.iccProfile = DefaultCmykProfileBytes();
    ASSERT_TRUE(WriteImageFile(Path("with.jpg"), image).ok);
    const std::vector<uint8_t> written = ReadBytes(Path("with.jpg"));
    EXPECT_EQ(FindJpegProfile(written.data(), written.size()), image.iccProfile);

    std::vector<uint8_t> embedded = Encoded(FileFormat::Jpeg, ColorModel::Rgb);
    EXPECT_TRUE(FindJpegProfile(embedded.data(), embedded.size()).empty());
    ASSERT_TRUE(EmbedJpegProfile(embedded, image.iccProfile));
    EXPECT_EQ(FindJpegProfile(embedded.data(), embedded.size()), image.iccProfile);

    // A missing middle segment: no profile rather than a wrong one.
    std::vector<uint8_t> broken = written;
    const uint8_t second[] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 2};
    for (size_t at = 0; at + sizeof second < broken.size(); ++at) {
        if (std::equal(second, second + sizeof second, broken.begin() + std::ptrdiff_t(at))) {
            broken[at + 12] = 1;  // now two segments claim to be the first
            break;
        }
    }
    EXPECT_TRUE(FindJpegProfile(broken.data(), broken.size()).empty());
    const uint8_t tiny[] = {0xFF, 0xD8};
    EXPECT_TRUE(FindJpegProfile(tiny, sizeof tiny).empty());
}

// ---------------------------------------------------------------- colours

TEST(SuiteColors, EverySampleSurvivesTheTripThroughEngineWords) {
    for (int v = 0; v <= 255; ++v) {
        EXPECT_EQ(ValueFromWord8(WordFrom8(uint8_t(v))), v);
        EXPECT_EQ(ValueFromInkWord8(InkWordFrom8(uint8_t(v))), v);
    }
    for (int v = 0; v <= 32768; ++v) {
        ASSERT_EQ(ValueFromWord16(WordFrom16(uint16_t(v))), v);
        ASSERT_EQ(ValueFromInkWord16(InkWordFrom16(uint16_t(v))), v);
    }
    // Full scale in the suite is no ink; its words are ink amounts.
    EXPECT_EQ(InkWordFrom8(255), 0);
    EXPECT_EQ(InkWordFrom8(0), 65535);
    EXPECT_EQ(InkWordFrom16(32768), 0);
    EXPECT_EQ(InkWordFrom16(40000), 0) << "above full scale counts as full scale";
    EXPECT_EQ(WordFrom16(32768), 65535);
    EXPECT_EQ(ValueFromWord8(32767), 127);
    EXPECT_EQ(ValueFromWord8(32896), 128);
}

TEST(SuiteColors, ThePlainFormulasKeepPaperInkAndPureColours) {
    struct Case {
        uint16_t rgb[3];
        uint16_t cmyk[4];
    } cases[] = {
        {{65535, 65535, 65535}, {0, 0, 0, 0}},
        {{0, 0, 0}, {0, 0, 0, 65535}},
        {{65535, 0, 0}, {0, 65535, 65535, 0}},
        {{0, 65535, 65535}, {65535, 0, 0, 0}},
        {{32768, 32768, 32768}, {0, 0, 0, 32767}},
        {{32768, 16384, 0}, {0, 32767, 65535, 32767}},
    };
    for (const Case& c : cases) {
        uint16_t cmyk[4], rgb[3];
        PlainRgbToCmyk(c.rgb, cmyk);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(cmyk[i], c.cmyk[i], 1) << i;
        PlainCmykToRgb(cmyk, rgb);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(rgb[i], c.rgb[i], 2) << i;
    }
}

TEST(SuiteColors, BlackPointCompensationMovesBlackAndKeepsWhite) {
    const double black = WordToLight(10537);  // the inks' darkest, as sRGB 41 of 255
    EXPECT_EQ(CompensateFromInk(10537, black), 0) << "the inks' black comes back as RGB black";
    EXPECT_EQ(CompensateTowardsInk(0, black), 10537) << "RGB black goes to the inks' black";
    EXPECT_EQ(CompensateFromInk(65535, black), 65535);
    EXPECT_EQ(CompensateTowardsInk(65535, black), 65535);
    EXPECT_EQ(CompensateFromInk(5000, black), 0) << "darker than the inks reach stays black";
    int worst = 0;
    for (int word = 0; word <= 65535; word += 97) {
        EXPECT_EQ(CompensateFromInk(uint16_t(word), 0.0), word) << "no black point, no change";
        const int back = CompensateFromInk(CompensateTowardsInk(uint16_t(word), black), black);
        worst = std::max(worst, std::abs(back - word));
    }
    EXPECT_LE(worst, 2) << "the two directions undo each other";
    EXPECT_LT(CompensateFromInk(30000, black), 30000) << "mid tones darken a little";
    EXPECT_GT(CompensateTowardsInk(30000, black), 30000);
}

// ---------------------------------------------------------------- formats

TEST(WindowsFormats, ExtensionsNameTheFourFormatsInAnyCase) {
    struct {
        const char* path;
        bool known;
        WindowsFormat format;
    } cases[] = {{"a.png", true, WindowsFormat::Png},     {"A.TIF", true, WindowsFormat::Tiff},
                 {"b.tiff", true, WindowsFormat::Tiff},   {"c.Jpg", true, WindowsFormat::Jpeg},
                 {"d.jpeg", true, WindowsFormat::Jpeg},   {"e.jpe", true, WindowsFormat::Jpeg},
                 {"f.BMP", true, WindowsFormat::Bmp},     {"g.gif", false, WindowsFormat::Png},
                 {"dir.png\\name", false, WindowsFormat::Png}, {"noext", false, WindowsFormat::Png}};
    for (const auto& c : cases) {
        WindowsFormat format = WindowsFormat::Png;
        EXPECT_EQ(WindowsFormatFromExtension(c.path, &format), c.known) << c.path;
        if (c.known) {
            EXPECT_EQ(format, c.format) << c.path;
        }
    }
}

TEST(WindowsFormats, SignaturesNameTheFormatWhateverTheName) {
    const uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const uint8_t tiffIntel[] = {'I', 'I', 42, 0}, tiffMotorola[] = {'M', 'M', 0, 42}, bigTiff[] = {'I', 'I', 43, 0};
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0}, bmp[] = {'B', 'M', 0x36, 0};
    const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a'}, shortPng[] = {0x89, 'P', 'N', 'G'};
    WindowsFormat format;
    ASSERT_TRUE(DetectWindowsFormat(png, sizeof png, &format));
    EXPECT_EQ(format, WindowsFormat::Png);
    ASSERT_TRUE(DetectWindowsFormat(tiffIntel, sizeof tiffIntel, &format));
    EXPECT_EQ(format, WindowsFormat::Tiff);
    ASSERT_TRUE(DetectWindowsFormat(tiffMotorola, sizeof tiffMotorola, &format));
    EXPECT_EQ(format, WindowsFormat::Tiff);
    ASSERT_TRUE(DetectWindowsFormat(bigTiff, sizeof bigTiff, &format));
    EXPECT_EQ(format, WindowsFormat::Tiff);
    ASSERT_TRUE(DetectWindowsFormat(jpeg, sizeof jpeg, &format));
    EXPECT_EQ(format, WindowsFormat::Jpeg);
    ASSERT_TRUE(DetectWindowsFormat(bmp, sizeof bmp, &format));
    EXPECT_EQ(format, WindowsFormat::Bmp);
    EXPECT_FALSE(DetectWindowsFormat(gif, sizeof gif, &format));
    EXPECT_FALSE(DetectWindowsFormat(shortPng, sizeof shortPng, &format));
    EXPECT_FALSE(DetectWindowsFormat(png, 0, &format));
}

TEST(WindowsFormats, EachFormatTakesOnlyWhatItCanHold) {
    struct {
        ColorModel model;
        bool alpha;
        int depth;
        bool png, tiff, jpeg, bmp;
    } cases[] = {
        {ColorModel::Rgb, false, 8, true, true, true, true},     {ColorModel::Rgb, true, 8, true, true, false, false},
        {ColorModel::Rgb, false, 16, true, true, false, false},  {ColorModel::Cmyk, false, 8, false, true, true, false},
        {ColorModel::Cmyk, true, 16, false, true, false, false},
    };
    for (const auto& c : cases) {
        Image image;
        image.model = c.model;
        image.hasAlpha = c.alpha;
        image.depth = c.depth;
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Png).empty(), c.png);
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Tiff).empty(), c.tiff);
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Jpeg).empty(), c.jpeg);
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Bmp).empty(), c.bmp);
    }
}

}  // namespace
