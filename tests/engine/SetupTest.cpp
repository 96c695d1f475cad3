#include <gtest/gtest.h>

#include <limits>

#include "engine/EngraveSetup.h"
#include "tests/engine/EngraveTestImage.h"

namespace {

EngraveSetup SetupFor(const EngraveSettings& p, int w = 100, int h = 80) {
    EngraveRegion region{w, h, 0, 0, w, h};
    return ComputeEngraveSetup(p, MakeLayoutFrame(region, p.noAntialias == 0));
}

TEST(EngraveSetup, DefaultRecordAntialiased) {
    EngraveSetup s = SetupFor(DefaultParams());
    EXPECT_EQ(s.S, 20.0f);
    EXPECT_EQ(s.Wd, 14.285715f);
    EXPECT_EQ(s.A, 10.0f);
    EXPECT_EQ(s.Fs, 0.02f);
    EXPECT_EQ(s.T, 0.0f);
    EXPECT_EQ(s.passes, 1);
    EXPECT_EQ(s.cx, 200.0f);
    EXPECT_EQ(s.cy, 160.0f);
    EXPECT_TRUE(s.antialiased);
}

TEST(EngraveSetup, DefaultRecordDirect) {
    EngraveSettings p = DefaultParams();
    p.noAntialias = 1;
    EngraveSetup s = SetupFor(p);
    EXPECT_EQ(s.S, 5.0f);
    EXPECT_EQ(s.Wd, 3.5714288f);
    EXPECT_EQ(s.Fs, 0.08f);
    EXPECT_EQ(s.A, 2.5f);
    EXPECT_EQ(s.cx, 50.0f);
    EXPECT_FALSE(s.antialiased);
}

TEST(EngraveSetup, SpaceBelowOneRasterUnitIsOne) {
    EngraveSettings p = DefaultParams();
    p.space = 0;
    EXPECT_EQ(SetupFor(p).S, 1.0f);
    p.space = -50;
    EXPECT_EQ(SetupFor(p).S, 1.0f);
}

TEST(EngraveSetup, NonFiniteSettingsCountAsDefaults) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    EngraveSettings p = DefaultParams();
    p.space = nan, p.width = inf, p.amplitude = -inf, p.rotation = nan;
    EngraveSetup s = SetupFor(p), d = SetupFor(DefaultParams());
    EXPECT_EQ(s.S, d.S);
    EXPECT_EQ(s.Wd, d.Wd);
    EXPECT_EQ(s.A, d.A);
    EXPECT_EQ(s.cosTheta, d.cosTheta);
    p = DefaultParams();
    p.pattern = 200, p.colorSchema = 9;
    s = SetupFor(p);
    EXPECT_EQ(s.pattern, int(kWaves1));
    EXPECT_EQ(s.colorSchema, int(kInitialColor));
}

TEST(EngraveSetup, LimitsStayOutsideTheDialogRanges) {
    // The largest in-range values pass through unchanged.
    EngraveSettings p = DefaultParams();
    p.amplitude = 1000, p.randomness = -1000, p.noise = 100, p.contrast = 1000, p.centerX = 1000;
    EngraveSetup s = SetupFor(p, 10, 10);
    EXPECT_EQ(s.A, 100.0f);
    EXPECT_EQ(s.Rf, float(-1000 * double(0.083333336f)));
    EXPECT_EQ(s.Nz, float(100 * double(0.33333334f)));
    EXPECT_EQ(s.Kc, 2.0f);
    EXPECT_EQ(s.cx, 1.5f * 40);
    // Far beyond them the values are held.
    p.amplitude = 1e30f, p.randomness = 1e30f, p.noise = -1e30f, p.centerX = 1e30f;
    s = SetupFor(p, 10, 10);
    EXPECT_EQ(s.A, 256.0f);
    EXPECT_EQ(s.Rf, 256.0f);
    EXPECT_EQ(s.RfDensify, 84.0f);
    EXPECT_EQ(s.Nz, -1024.0f);
    EXPECT_NEAR(s.cx, 5.0f * 40, 1e-4);
}

}  // namespace
