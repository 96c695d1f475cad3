// Our own sine and cosine must stay close to the C library's (they replace
// it because libraries differ in the last bit between platforms).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/DeterministicTrig.h"

namespace {

TEST(DeterministicTrig, CloseToTheLibraryOverAWideRange) {
    uint64_t s = 1;
    double worst = 0;
    for (int i = 0; i < 400000; ++i) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        double u = double(s >> 11) / 9007199254740992.0;  // [0, 1)
        double magnitude = std::pow(10.0, -6.0 + 14.0 * u);  // 1e-6 .. 1e8
        double x = (i & 1 ? -1 : 1) * magnitude;
        worst = std::fmax(worst, std::fabs(DeterministicSin(x) - std::sin(x)));
        worst = std::fmax(worst, std::fabs(DeterministicCos(x) - std::cos(x)));
    }
    EXPECT_LT(worst, 4e-16);
}

TEST(DeterministicTrig, ExactValuesAndSpecialArguments) {
    EXPECT_EQ(DeterministicSin(0.0), 0.0);
    EXPECT_EQ(DeterministicCos(0.0), 1.0);
    EXPECT_EQ(DeterministicSin(1e-300), 1e-300);
    EXPECT_TRUE(std::isnan(DeterministicSin(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(DeterministicCos(std::numeric_limits<double>::quiet_NaN())));
    // Huge arguments: deterministic, bounded.
    for (double x : {1e12, -3e20, 1e300, 1.7976931348623157e308}) {
        EXPECT_LE(std::fabs(DeterministicSin(x)), 1.0);
        EXPECT_LE(std::fabs(DeterministicCos(x)), 1.0);
    }
}

TEST(DeterministicTrig, ExactRemainderMatchesFmod) {
    const double y = 6.283185307179586;
    for (double x : {7.0, 1e9, -1e9, 123456789.125, 1e20, -3e300, 5e-3}) EXPECT_EQ(ExactRemainder(x, y), std::fmod(x, y)) << x;
}

}  // namespace
