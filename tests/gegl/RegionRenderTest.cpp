// Any region, given exactly its input band, is that part of the whole
// engraving, at 8 and 16 bits, wherever the image's origin lies.
#include <gtest/gtest.h>

#include <random>

#include "engine/Engrave.h"
#include "tests/gegl/TestPixels.h"

namespace {

struct Case {
    const char* name;
    PixelLayout layout;
    int pattern, schema, noAntialias;
    float randomness, noise;
};

class RegionRender : public ::testing::TestWithParam<Case> {};

EngraveSettings SettingsOf(const Case& c) {
    EngraveSettings s = DefaultEngraveSettings();
    s.pattern = uint8_t(c.pattern);
    s.colorSchema = uint8_t(c.schema);
    s.noAntialias = c.noAntialias;
    s.randomness = c.randomness;
    s.noise = c.noise;
    s.fillAlpha = 0;
    return s;
}

}  // namespace

TEST_P(RegionRender, RandomRegionsFromTheirBandsEqualTheWhole) {
    const Case& c = GetParam();
    const EngraveSettings settings = SettingsOf(c);
    const TestPixels picture = MakeTestPixels(PixelRect{-7, 13, 181, 157}, c.layout, 5);
    const TestPixels whole = RenderWhole(settings, picture);
    const int reach = EngraveReach(settings, picture.rect.width, picture.rect.height);
    std::mt19937 random(11);
    for (int i = 0; i < 12; ++i) {
        const int w = 1 + int(random() % 90), h = 1 + int(random() % 70);
        const PixelRect region{picture.rect.x + int(random() % uint32_t(181 - w + 1)),
                               picture.rect.y + int(random() % uint32_t(157 - h + 1)), w, h};
        TestPixels band = Crop(picture, InputBand(region, picture.rect, reach));
        TestPixels out = BlankPixels(region, c.layout);
        ASSERT_TRUE(RenderRegion(settings, picture.rect, c.layout, band.Block(), region, out.Block()));
        ASSERT_EQ(Difference(out, Crop(whole, region)), "") << "region " << region.x << "," << region.y;
    }
}

// Split colour and relief at 16 bits: the values survive the trip through
// the engine's scale (the whole render differs from the 8-bit one).
INSTANTIATE_TEST_SUITE_P(Layouts, RegionRender,
                         ::testing::Values(Case{"waves_rgb8", {3, 8}, 1, 2, 0, 0, 0},
                                           Case{"spiral_relief_rgba16", {4, 16}, 10, 1, 0, 300, 20},
                                           Case{"rings_direct_rgba8", {4, 8}, 5, 0, 1, 0, 30},
                                           Case{"lines_direct_rgb16", {3, 16}, 0, 1, 1, -200, 0}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(RegionRender, RefusesBlocksThatDoNotCover) {
    const PixelLayout layout{3, 8};
    const EngraveSettings settings = DefaultEngraveSettings();
    const TestPixels picture = MakeTestPixels(PixelRect{0, 0, 100, 100}, layout, 1);
    const PixelRect region{10, 40, 20, 20};
    TestPixels tooShort = Crop(picture, PixelRect{0, 40, 100, 20});  // lacks the reach
    TestPixels out = BlankPixels(region, layout);
    EXPECT_FALSE(RenderRegion(settings, picture.rect, layout, tooShort.Block(), region, out.Block()));
    TestPixels source = picture;
    EXPECT_FALSE(RenderRegion(settings, picture.rect, layout, source.Block(), PixelRect{90, 40, 20, 20}, out.Block()));
    EXPECT_EQ(out.bytes, BlankPixels(region, layout).bytes);
}
