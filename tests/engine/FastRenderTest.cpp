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

}  // namespace
