// A host may deliver an image in horizontal bands; every split must give
// exactly the bytes of a one-piece render. Every kind, schema and path is
// compared through the host (tests/host: chunks, tiles and preview panes)
// and with random settings (PropertyTest); these are the cases only the
// engine can set up.
#include <gtest/gtest.h>

#include "tests/engine/EngraveTestImage.h"

namespace {

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
