// A host may deliver an image in horizontal bands; every split must give
// exactly the bytes of a one-piece render. (Tiles and preview panes, which
// start at any column, are compared through the host: tests/host.)
#include <gtest/gtest.h>

#include <tuple>

#include "tests/engine/EngraveTestImage.h"

namespace {

// Parameters: pattern kind, colour schema, direct path.
class ChunkExactness : public testing::TestWithParam<std::tuple<int, int, bool>> {};

// Plain 8-bit RGB; relief with densification, noise, offset, an outside
// centre, alpha and a selection; 16-bit CMYK with alpha and dots.
TEST_P(ChunkExactness, BandsGiveTheWholeRender) {
    const std::vector<uint8_t> mask = MakeTestMask(44, 38);
    for (int variant = 0; variant < 3; ++variant) {
        EngraveSettings params = DefaultEngraveSettings();
        params.pattern = uint8_t(std::get<0>(GetParam()));
        params.colorSchema = uint8_t(std::get<1>(GetParam()));
        params.noAntialias = std::get<2>(GetParam());
        Picture source = MakeGradientPicture(40, 36, 3, 8);
        RenderSetup setup;
        if (variant == 0) params.space = 14;
        if (variant == 1) {
            params.randomness = 400, params.noise = 30, params.offset = 300;
            params.centerX = 250, params.centerY = -400;
            source = MakeGradientPicture(44, 38, 4, 8);
            setup.mask = &mask;
        }
        if (variant == 2) {
            params.useCircles = 1, params.notBreak = 1, params.invert = 1, params.fillAlpha = 0, params.noise = 10;
            source = MakeGradientPicture(38, 41, 5, 16);
            setup.cmykConverted = true;
        }
        const Picture whole = RenderWhole(params, source, setup);
        for (int bands : {2, 3, 7})
            ASSERT_EQ(RenderInBands(params, source, bands, setup).bytes, whole.bytes)
                << "variant " << variant << ": " << bands << " bands differ from the one-piece render";
    }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ChunkExactness,
                         testing::Combine(testing::Range(0, int(kPatternKindCount)),
                                          testing::Range(0, int(kColorSchemaCount)), testing::Bool()));

TEST(ChunkExactness, SingleRowBandsAndLargerRingsAndSpirals) {
    // Bigger radii, where far samples are skipped in runs; a large rotation
    // makes the angle coarse in float. The first case has a selection but
    // no relief and single-row bands.
    struct Case { int kind, width, height, bands; float rotation, centerX, randomness; };
    const std::vector<uint8_t> mask = MakeTestMask(30, 20);
    for (Case k : {Case{kRingsWaves3, 30, 20, 20, 30, 0, 0}, Case{3, 200, 150, 6, 30, 0, 0},
                   Case{12, 200, 150, 6, 30, 300, 0}, Case{9, 200, 150, 6, 1e5f, -200, 200},
                   Case{8, 200, 150, 6, -77, 900, 500}}) {
        EngraveSettings params = DefaultEngraveSettings();
        params.pattern = uint8_t(k.kind);
        params.rotation = k.rotation, params.centerX = k.centerX, params.randomness = k.randomness;
        RenderSetup setup;
        if (k.width == 30) setup.mask = &mask;
        const Picture source = MakeGradientPicture(k.width, k.height, 3, 8);
        EXPECT_EQ(RenderInBands(params, source, k.bands, setup).bytes, RenderWhole(params, source, setup).bytes)
            << "kind " << k.kind;
    }
}

}  // namespace
