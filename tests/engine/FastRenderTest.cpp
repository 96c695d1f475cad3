// The fast render (bands on threads, repeated stamps skipped, runs of bits
// set bytewise, sine and cosine together) must give exactly the bytes of
// the reference render, for every kind, schema and path, with relief,
// noise, a selection, 16 bits and CMYK, at 1, 2, 3 and 8 threads.
#include <gtest/gtest.h>

#include "tests/engine/EngraveTestImage.h"

namespace {

TEST(FastRender, EqualsReferenceForEveryKindSchemaPathAndThreadCount) {
    struct Look { int planes, depth; bool cmyk, mask, dots, invert; float randomness, noise; };
    const Look looks[] = {{3, 8, false, false, false, false, 0, 0},    {4, 16, false, true, false, true, 300, 200},
                          {5, 8, true, false, true, false, 60, 0},     {4, 8, true, true, false, false, 0, 500},
                          {3, 16, false, false, true, true, 500, 100}, {5, 16, true, true, false, false, 200, 0}};
    // Tall enough for eight bands; narrow, so that every ring crosses the region.
    const int width = 21, height = 400;
    const std::vector<uint8_t> mask = MakeTestMask(width, height);
    int combination = 0;
    for (int kind = 0; kind < 13; ++kind)
        for (int schema = 0; schema < 3; ++schema)
            for (int direct = 0; direct < 2; ++direct, ++combination) {
                const Look& k = looks[combination % 6];
                EngraveSettings params = DefaultEngraveSettings();
                params.pattern = uint8_t(kind), params.colorSchema = uint8_t(schema), params.noAntialias = direct;
                params.randomness = k.randomness, params.noise = k.noise;
                params.useCircles = k.dots, params.invert = k.invert;
                params.rotation = float(combination * 7), params.amplitude = 20.0f + float(combination % 5) * 9.0f;
                const Picture source = MakeGradientPicture(width, height, k.planes, k.depth);
                RenderSetup setup;
                setup.cmykConverted = k.cmyk;
                setup.mask = k.mask ? &mask : nullptr;
                setup.reference = true;
                const Picture reference = RenderWhole(params, source, setup);
                setup.reference = false;
                // 0 threads: one thread, the image delivered in five bands.
                for (int threads : {0, 1, 2, 3, 8}) {
                    setup.threads = threads ? threads : 1;
                    ASSERT_EQ(RenderInBands(params, source, threads ? 1 : 5, setup).bytes, reference.bytes)
                        << "kind " << kind << " schema " << schema << " direct " << direct << " threads " << threads;
                }
            }
}

// "Split color" draws each channel in its own pass; on a one-pixel picture
// every sample of every pass reads the same pixel, so nothing read for one
// channel may serve the next.
TEST(FastRender, SplitColorPassesReadTheirOwnChannelOnAOnePixelPicture) {
    Picture source = MakePicture(1, 1, 3, 8);
    source.Set(0, 0, 0, 20), source.Set(0, 0, 1, 140), source.Set(0, 0, 2, 250);
    for (int kind : {0, 1, 3, 12}) {
        EngraveSettings params = DefaultEngraveSettings();
        params.pattern = uint8_t(kind), params.colorSchema = kSplitColor;
        RenderSetup setup;
        setup.reference = true;
        const Picture reference = RenderWhole(params, source, setup);
        setup.reference = false;
        EXPECT_EQ(RenderWhole(params, source, setup).bytes, reference.bytes) << "kind " << kind;
    }
}

// A small pane far inside a larger image: most samples of every stroke
// are stepped over in stretches, which must land exactly where the
// sample-by-sample walk lands (angles that make float steps uneven,
// dots for steps longer than one, the pane beyond a ring's centre, an
// offset that starts the spiral inside its own pitch).
TEST(FastRender, PaneEqualsReferenceWhereMostSamplesAreSteppedOver) {
    const Picture source = MakeGradientPicture(320, 240, 3, 8);
    struct Pane { int left, top; float rotation; bool dots; float randomness, noise, offset; };
    const Pane panes[] = {{150, 100, 30, false, 0, 0, 0},   {10, 190, 0, true, 0, 40, 0},   {270, 5, 90, false, 300, 0, 0},
                          {200, 60, -47.5f, true, 0, 0, 0}, {40, 30, 1e5f, false, 0, 0, 0}, {100, 150, 10, false, 0, 60, 500}};
    for (int kind = 0; kind < 13; ++kind)
        for (const Pane& p : panes) {
            EngraveSettings params = DefaultEngraveSettings();
            params.pattern = uint8_t(kind), params.rotation = p.rotation, params.useCircles = p.dots;
            params.randomness = p.randomness, params.noise = p.noise, params.offset = p.offset, params.centerX = p.left > 160 ? -400.0f : 150.0f;
            RenderSetup setup;
            setup.reference = true;
            const Picture reference = RenderPane(params, source, p.left, p.top, 40, 30, setup);
            setup.reference = false;
            ASSERT_EQ(RenderPane(params, source, p.left, p.top, 40, 30, setup).bytes, reference.bytes)
                << "kind " << kind << " pane " << p.left << "," << p.top;
        }
}

}  // namespace
