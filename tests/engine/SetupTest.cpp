// The engine's working values derived from the settings: the limits that
// keep hostile values finite.
#include <gtest/gtest.h>

#include <limits>

#include "engine/EngraveSetup.h"

namespace {

EngraveSetup SetupFor(const EngraveSettings& p, int w = 100, int h = 80) {
    return ComputeEngraveSetup(p, MakeLayoutFrame(EngraveRegion{w, h, 0, 0, w, h}, p.noAntialias == 0));
}

TEST(EngraveSetup, NonFiniteSettingsAndUnknownKindsCountAsDefaults) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    EngraveSettings p = DefaultEngraveSettings();
    p.space = nan, p.width = inf, p.amplitude = -inf, p.rotation = nan, p.pattern = 200, p.colorSchema = 9;
    const EngraveSetup s = SetupFor(p), d = SetupFor(DefaultEngraveSettings());
    EXPECT_EQ(s.S, d.S);
    EXPECT_EQ(s.Wd, d.Wd);
    EXPECT_EQ(s.A, d.A);
    EXPECT_EQ(s.cosTheta, d.cosTheta);
    EXPECT_EQ(s.pattern, int(kWaves1));
    EXPECT_EQ(s.colorSchema, int(kInitialColor));
}

TEST(EngraveSetup, LimitsStayOutsideTheDialogRanges) {
    // The largest in-range values pass through unchanged.
    EngraveSettings p = DefaultEngraveSettings();
    p.amplitude = 1000, p.randomness = -1000, p.noise = 100, p.contrast = 1000, p.centerX = 1000;
    EngraveSetup s = SetupFor(p, 10, 10);
    EXPECT_EQ(s.A, 100.0f);
    EXPECT_FLOAT_EQ(s.Rf, -83.333336f);
    EXPECT_FLOAT_EQ(s.Nz, 33.333336f);
    EXPECT_EQ(s.Kc, 2.0f);
    EXPECT_EQ(s.cx, 60.0f);  // half a width beyond the right edge
    // Far beyond them the values are held.
    p.amplitude = 1e30f, p.randomness = 1e30f, p.noise = -1e30f, p.centerX = 1e30f;
    s = SetupFor(p, 10, 10);
    EXPECT_EQ(s.A, 256.0f);
    EXPECT_EQ(s.Rf, 256.0f);
    EXPECT_EQ(s.RfDensify, 84.0f);
    EXPECT_EQ(s.Nz, -1024.0f);
    EXPECT_NEAR(s.cx, 200.0f, 1e-4);
}

}  // namespace
