// Settings from scripts and presets are never validated: any float and any
// byte must render without crashing, hanging or undefined behaviour, and
// a banded render must still equal the one-piece render.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/engine/EngraveTestImage.h"

namespace {

struct Rng {
    uint64_t s;
    uint32_t Next() {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return uint32_t(s >> 33);
    }
};

float NastyFloat(Rng& r, float typical) {
    static const float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, FLT_MAX, -FLT_MAX,
                                     1e-40f, -1e-40f, 0.0f, -0.0f, 1e-30f, -1.0f, 1e6f, -1e6f, 16777217.0f};
    switch (r.Next() % 4) {
        case 0: return kSpecial[r.Next() % (sizeof kSpecial / sizeof kSpecial[0])];
        case 1: return typical;
        default: {
            float scale = std::ldexp(1.0f, int(r.Next() % 24) - 6);
            return (float(r.Next() % 20001) / 10000.0f - 1.0f) * scale * (1.0f + std::fabs(typical));
        }
    }
}

TEST(EngineProperty, RandomRecordsRenderSafelyAndBandsAgree) {
    Rng r{12345};
    const Picture pics[] = {MakeGradientPicture(13, 11, 3, 8), MakeGradientPicture(12, 9, 4, 16),
                            MakeGradientPicture(9, 14, 5, 8)};
    const std::vector<uint8_t> mask = MakeTestMask(13, 14);
    for (int i = 0; i < 2500; ++i) {
        EngraveSettings p = DefaultEngraveSettings();
        p.colorSchema = uint8_t(r.Next());
        p.pattern = r.Next() % 3 ? uint8_t(r.Next() % 13) : uint8_t(r.Next());
        p.invertIntensity = int32_t(r.Next() % 3);
        p.noAntialias = int32_t(r.Next() % 3) - 1;
        p.invert = int32_t(r.Next() % 2);
        p.notBreak = int32_t(r.Next() % 2);
        p.useCircles = int32_t(r.Next() % 2);
        p.fillAlpha = uint8_t(r.Next());
        float* fields[] = {&p.rotation, &p.space,     &p.offset,     &p.width,     &p.contrast, &p.randomness, &p.amplitude,
                           &p.frequency, &p.phaseShift, &p.threshold, &p.centerX, &p.centerY,    &p.noise};
        for (float* f : fields)
            if (r.Next() % 3 == 0) *f = NastyFloat(r, *f);
        const Picture& src = pics[i % 3];
        RenderSetup setup;
        setup.densifyRelief = r.Next() % 4 != 0;
        setup.cmykConverted = src.planes >= 4 && r.Next() % 2;
        std::vector<uint8_t> m(mask.begin(), mask.begin() + size_t(src.width) * src.height);
        if (r.Next() % 3 == 0) setup.mask = &m;
        Picture whole = RenderWhole(p, src, setup);
        Picture bands = RenderInBands(p, src, 1 + int(r.Next() % 4), setup);
        ASSERT_EQ(bands.bytes, whole.bytes) << "record " << i;
    }
}

}  // namespace
