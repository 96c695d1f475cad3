// The pixel layouts of the Windows Imaging Component: each channel where
// the system expects it, and back.
#include <gtest/gtest.h>

#include "cli/image/PackedPixels.h"

namespace {

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

}  // namespace
