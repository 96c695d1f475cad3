// The file image <-> the filter's interleaved buffer: gray expanded and
// collapsed, CMYK inverted, 16-bit rescaled, transparency last.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/image/InterfacePixels.h"
#include "cli/image/SampleScale.h"
#include "tests/cli/CliTestFiles.h"

namespace {

std::vector<uint16_t> Samples(const InterfaceImage& pixels) {
    std::vector<uint16_t> out(pixels.pixels.size() / pixels.bytesPerSample());
    for (size_t i = 0; i < out.size(); ++i) {
        if (pixels.depth == 8) out[i] = pixels.pixels[i];
        else std::memcpy(&out[i], pixels.pixels.data() + 2 * i, 2);
    }
    return out;
}

Image OneRow(ColorModel model, bool alpha, int depth, std::vector<uint16_t> samples) {
    Image image;
    image.model = model, image.hasAlpha = alpha, image.depth = depth, image.height = 1;
    image.width = uint32_t(samples.size() / SamplesPerPixel(image));
    if (depth == 16) image.samples16 = samples;
    else image.samples8.assign(samples.begin(), samples.end());
    return image;
}

// Ink is inverted (the interface's full scale is no ink), the alpha is not;
// 16-bit full scale is 32768.
TEST(InterfacePixels, WorkedPixelsGoOutAndComeBack) {
    struct Case { Image image; int16_t mode, planes; std::vector<uint16_t> out; };
    const Case cases[] = {
        {OneRow(ColorModel::Gray, true, 8, {10, 200, 250, 0}), plugInModeRGBColor, 4,
         {10, 10, 10, 200, 250, 250, 250, 0}},
        {OneRow(ColorModel::Rgb, true, 16, {0, 65535, 32768, 65535}), plugInModeRGB48, 4, {0, 32768, 16384, 32768}},
        {OneRow(ColorModel::Cmyk, true, 8, {0, 255, 100, 1, 77, 255, 0, 0, 0, 0}), plugInModeCMYKColor, 5,
         {255, 0, 155, 254, 77, 0, 255, 255, 255, 0}},
        {OneRow(ColorModel::Cmyk, false, 16, {0, 65535, 32768, 1}), plugInModeCMYK64, 4, {32768, 0, 16384, 32767}},
        {OneRow(ColorModel::Rgb, true, 8, {0, 255, 7, 128, 9, 10, 11, 0}), plugInModeRGBColor, 4,
         {0, 255, 7, 128, 9, 10, 11, 0}},
        {OneRow(ColorModel::Rgb, false, 8, {1, 2, 3, 250, 251, 252}), plugInModeRGBColor, 3, {1, 2, 3, 250, 251, 252}},
    };
    for (const Case& c : cases) {
        // Taking the samples (moved where they already fit) gives the same pixels.
        Image taken = c.image;
        const InterfaceImage pixels = TakeInterfaceImage(taken);
        EXPECT_TRUE(taken.samples8.empty() && taken.samples16.empty());
        EXPECT_EQ(ToInterfaceImage(c.image).pixels, pixels.pixels);
        EXPECT_EQ(pixels.mode, c.mode);
        EXPECT_EQ(pixels.planes, c.planes);
        EXPECT_EQ(pixels.depth, c.image.depth);
        EXPECT_EQ(Samples(pixels), c.out) << ModelName(c.image.model);
        Image back = c.image;
        ASSERT_EQ(FromInterfaceImage(pixels, back), "");
        EXPECT_LE(MaxSampleDifference(back, c.image), c.image.depth == 16 ? 1 : 0) << ModelName(c.image.model);
    }
}

TEST(InterfacePixels, AColouredResultOnGrayTakesTheLuma) {
    Image image = OneRow(ColorModel::Gray, false, 8, {0, 0, 0, 0});
    InterfaceImage pixels = ToInterfaceImage(image);
    pixels.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    ASSERT_EQ(FromInterfaceImage(pixels, image), "");
    EXPECT_EQ(image.samples8, (std::vector<uint8_t>{76, 150, 29, 255}));
}

// 8-bit images come back exactly. At 16 bits a file image comes back
// within one step, and every interface value the filter may leave comes
// back to itself through the file image (gray: equal colour planes).
TEST(InterfacePixels, EveryModelComesBack) {
    for (ColorModel model : {ColorModel::Gray, ColorModel::Rgb, ColorModel::Cmyk}) {
        Image image = MakeNoiseImage(FileFormat::Png, model, true, 8, 16, 16, 8);
        const Image eight = image;
        ASSERT_EQ(FromInterfaceImage(ToInterfaceImage(image), image), "");
        EXPECT_EQ(image.samples8, eight.samples8) << ModelName(model);

        image = MakeNoiseImage(FileFormat::Tiff, model, true, 16, 181, 181, 4);
        const Image sixteen = image;
        InterfaceImage pixels = ToInterfaceImage(image);
        ASSERT_EQ(FromInterfaceImage(pixels, image), "");
        EXPECT_LE(MaxSampleDifference(image, sixteen), 1) << ModelName(model);
        for (size_t i = 0; i < pixels.pixels.size() / 2; ++i) {
            const size_t pixel = i / pixels.planes, plane = i % pixels.planes;
            const uint16_t v = uint16_t((model == ColorModel::Gray && plane < 3 ? pixel : i) % (kInterfaceMax16 + 1));
            std::memcpy(pixels.pixels.data() + 2 * i, &v, 2);
        }
        ASSERT_EQ(FromInterfaceImage(pixels, image), "");
        EXPECT_EQ(ToInterfaceImage(image).pixels, pixels.pixels) << ModelName(model);
    }
}

TEST(InterfacePixels, AnImageKeptWithoutSamplesGetsThemBackAndAMismatchIsRefused) {
    const Image image = MakeNoiseImage(FileFormat::Tiff, ColorModel::Cmyk, true, 16, 9, 7, 3);
    InterfaceImage pixels = ToInterfaceImage(image);
    Image kept = image;
    kept.samples16.clear();
    ASSERT_EQ(FromInterfaceImage(pixels, kept), "");
    EXPECT_EQ(kept.samples16.size(), image.samples16.size());
    EXPECT_LE(MaxSampleDifference(kept, image), 1);
    pixels.pixels.pop_back();
    EXPECT_NE(FromInterfaceImage(pixels, kept), "");
}

}  // namespace
