// The file image <-> the filter's interleaved buffer: gray expanded and
// collapsed, CMYK inverted, 16-bit rescaled, transparency last.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/image/InterfacePixels.h"
#include "cli/image/SampleScale.h"
#include "tests/cli/CliTestFiles.h"

namespace {

uint16_t Sample16(const InterfaceImage& pixels, size_t index) {
    uint16_t v;
    std::memcpy(&v, pixels.pixels.data() + 2 * index, 2);
    return v;
}

void SetSample16(InterfaceImage& pixels, size_t index, uint16_t v) {
    std::memcpy(pixels.pixels.data() + 2 * index, &v, 2);
}

struct ShapeCase {
    ColorModel model;
    bool alpha;
    int depth;
    int16_t mode, planes;
};

class InterfaceShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(InterfaceShape, ModeAndPlanesFollowTheImage) {
    const ShapeCase& c = GetParam();
    const Image image = MakeNoiseImage(FileFormat::Tiff, c.model, c.alpha, c.depth, 5, 3, 1);
    const InterfaceImage pixels = ToInterfaceImage(image);
    EXPECT_EQ(pixels.mode, c.mode);
    EXPECT_EQ(pixels.planes, c.planes);
    EXPECT_EQ(pixels.depth, c.depth);
    EXPECT_EQ(pixels.width, 5);
    EXPECT_EQ(pixels.height, 3);
    EXPECT_EQ(pixels.pixels.size(), pixels.rowBytes() * 3);
}

INSTANTIATE_TEST_SUITE_P(Models, InterfaceShape,
                         ::testing::Values(ShapeCase{ColorModel::Gray, false, 8, plugInModeRGBColor, 3},
                                           ShapeCase{ColorModel::Gray, true, 16, plugInModeRGB48, 4},
                                           ShapeCase{ColorModel::Rgb, false, 16, plugInModeRGB48, 3},
                                           ShapeCase{ColorModel::Rgb, true, 8, plugInModeRGBColor, 4},
                                           ShapeCase{ColorModel::Cmyk, false, 8, plugInModeCMYKColor, 4},
                                           ShapeCase{ColorModel::Cmyk, true, 16, plugInModeCMYK64, 5}));

TEST(InterfacePixels, GrayWithAlphaFeedsThreeColourPlanesAndComesBack) {
    Image image;
    image.model = ColorModel::Gray;
    image.hasAlpha = true;
    image.width = 2;
    image.height = 1;
    image.samples8 = {10, 200, 250, 0};
    const InterfaceImage pixels = ToInterfaceImage(image);
    EXPECT_EQ(pixels.pixels, (std::vector<uint8_t>{10, 10, 10, 200, 250, 250, 250, 0}));
    Image back = image;
    back.samples8.assign(4, 0);
    ASSERT_EQ(FromInterfaceImage(pixels, back), "");
    EXPECT_EQ(back.samples8, image.samples8);
}

TEST(InterfacePixels, ColouredResultOnGrayTakesTheLuma) {
    Image image;
    image.model = ColorModel::Gray;
    image.width = 4;
    image.height = 1;
    image.samples8.assign(4, 0);
    InterfaceImage pixels = ToInterfaceImage(image);
    pixels.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    ASSERT_EQ(FromInterfaceImage(pixels, image), "");
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{76, 150, 29, 255}));
}

TEST(InterfacePixels, CmykIsInvertedBothWays8) {
    Image image;
    image.model = ColorModel::Cmyk;
    image.hasAlpha = true;
    image.width = 1;
    image.height = 2;
    image.samples8 = {0, 255, 100, 1, 77, 255, 0, 0, 0, 0};  // ink; the alpha is not inverted
    const InterfaceImage pixels = ToInterfaceImage(image);
    EXPECT_EQ(pixels.pixels, (std::vector<uint8_t>{255, 0, 155, 254, 77, 0, 255, 255, 255, 0}));
    Image back = image;
    ASSERT_EQ(FromInterfaceImage(pixels, back), "");
    EXPECT_EQ(back.samples8, image.samples8);
}

TEST(InterfacePixels, CmykIsInvertedBothWays16) {
    Image image;
    image.model = ColorModel::Cmyk;
    image.depth = 16;
    image.width = 1;
    image.height = 1;
    image.samples16 = {0, 65535, 32768, 1};
    const InterfaceImage pixels = ToInterfaceImage(image);
    EXPECT_EQ(Sample16(pixels, 0), 32768);  // no ink
    EXPECT_EQ(Sample16(pixels, 1), 0);      // full ink
    EXPECT_EQ(Sample16(pixels, 2), 16384);
    EXPECT_EQ(Sample16(pixels, 3), 32767);
}

// Every 16-bit interface value the filter may leave comes back to itself
// through the file image, in every model; and a file image survives the
// trip out and back within one step.
class SixteenBitTrip : public ::testing::TestWithParam<ColorModel> {};

TEST_P(SixteenBitTrip, InterfaceValuesExactFileValuesWithinOne) {
    const ColorModel model = GetParam();
    Image image = MakeNoiseImage(FileFormat::Tiff, model, true, 16, 181, 181, 4);
    const Image original = image;
    InterfaceImage pixels = ToInterfaceImage(image);
    ASSERT_EQ(FromInterfaceImage(pixels, image), "");
    EXPECT_LE(MaxSampleDifference(image, original), 1);

    // Gray collapses three planes to one: give them equal values there.
    const size_t count = pixels.pixels.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const size_t pixel = i / pixels.planes, plane = i % pixels.planes;
        const bool grayColour = model == ColorModel::Gray && plane < 3;
        SetSample16(pixels, i, uint16_t((grayColour ? pixel : i) % (kInterfaceMax16 + 1)));
    }
    ASSERT_EQ(FromInterfaceImage(pixels, image), "");
    const InterfaceImage again = ToInterfaceImage(image);
    EXPECT_EQ(again.pixels, pixels.pixels);
}

INSTANTIATE_TEST_SUITE_P(Models, SixteenBitTrip,
                         ::testing::Values(ColorModel::Gray, ColorModel::Rgb, ColorModel::Cmyk));

TEST(InterfacePixels, EightBitImagesComeBackExactly) {
    for (ColorModel model : {ColorModel::Gray, ColorModel::Rgb, ColorModel::Cmyk}) {
        Image image = MakeNoiseImage(FileFormat::Png, model, true, 8, 16, 16, 8);
        const Image original = image;
        ASSERT_EQ(FromInterfaceImage(ToInterfaceImage(image), image), "");
        EXPECT_EQ(image.samples8, original.samples8) << ModelName(model);
    }
}

TEST(InterfacePixels, AnImageKeptWithoutSamplesGetsThemBack) {
    Image image = MakeNoiseImage(FileFormat::Tiff, ColorModel::Cmyk, true, 16, 9, 7, 3);
    const InterfaceImage pixels = ToInterfaceImage(image);
    Image kept = image;
    kept.samples16.clear();
    kept.samples16.shrink_to_fit();
    ASSERT_EQ(FromInterfaceImage(pixels, kept), "");
    EXPECT_EQ(kept.samples16.size(), image.samples16.size());
    EXPECT_LE(MaxSampleDifference(kept, image), 1);
}

TEST(InterfacePixels, AMismatchedBufferIsRefused) {
    Image image = MakeNoiseImage(FileFormat::Png, ColorModel::Rgb, false, 8, 4, 4, 8);
    InterfaceImage pixels = ToInterfaceImage(image);
    pixels.planes = 4;
    EXPECT_NE(FromInterfaceImage(pixels, image), "");
    pixels = ToInterfaceImage(image);
    pixels.pixels.pop_back();
    EXPECT_NE(FromInterfaceImage(pixels, image), "");
}

}  // namespace
