// Any region, given no more than its input band, is that part of the whole
// engraving, at 8 and 16 bits, wherever the image's origin lies. Runs
// without GEGL, so the sanitizer build checks the pixel copies too.
#include <gtest/gtest.h>

#include <random>

#include "engine/Engrave.h"
#include "tests/gegl/TestPixels.h"

TEST(RegionRender, RegionsFromTheirBandsEqualTheWhole) {
    for (const PixelLayout layout : {PixelLayout{4, 16}, PixelLayout{3, 8}}) {
        EngraveSettings settings = DefaultEngraveSettings();
        settings.pattern = kSpiralWaves2;
        settings.colorSchema = layout.depth == 16 ? kSplitColor : kInitialColor;
        settings.randomness = 300;
        settings.fillAlpha = 0;
        const TestPixels picture = MakeTestPixels(PixelRect{-7, 13, 181, 157}, layout);
        const TestPixels whole = RenderWhole(settings, picture);
        const int reach = EngraveReach(settings, picture.rect.width, picture.rect.height);
        std::mt19937 random(11);
        for (int i = 0; i < 10; ++i) {
            const int w = 1 + int(random() % 90), h = 1 + int(random() % 70);
            const PixelRect region{-7 + int(random() % uint32_t(182 - w)), 13 + int(random() % uint32_t(158 - h)), w,
                                   h};
            TestPixels band = Crop(picture, InputBand(region, picture.rect, reach));
            TestPixels out = MakeTestPixels(region, layout, true);
            ASSERT_TRUE(RenderRegion(settings, picture.rect, layout, band.Block(), region, out.Block()));
            ASSERT_EQ(Difference(out, Crop(whole, region)), "") << layout.depth << " bits";
        }
        TestPixels tooShort = Crop(picture, PixelRect{-7, 40, 181, 20}),
                   out = MakeTestPixels({0, 40, 20, 20}, layout, true);
        EXPECT_FALSE(RenderRegion(settings, picture.rect, layout, tooShort.Block(), out.rect, out.Block()));
    }
}
