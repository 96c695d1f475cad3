// The engine's own arithmetic that every render depends on: sine and cosine
// (they replace the C library's, which differs in the last bit between
// platforms) and the random generator.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/DeterministicTrig.h"
#include "engine/Lcg.h"

namespace {

// The same bits on every platform (values of this implementation, checked
// against the C library where that is correctly rounded).
TEST(DeterministicTrig, BitIdenticalValues) {
    struct Case { double x, sin, cos; };
    for (const Case& c : {Case{0.0, 0.0, 1.0}, Case{1e-300, 1e-300, 1.0},
                          Case{0x1p-1, 0x1.eaee8744b05fp-2, 0x1.c1528065b7d5p-1},
                          Case{-0x1.4p+0, -0x1.e5e14fe11418cp-1, 0x1.42e3dd88bd952p-2},
                          Case{0x1.921fb54442d18p+1, 0x1.1a62633145c06p-53, -0x1p+0},
                          Case{0x1.81cd6c8b43958p+13, -0x1.687d5890974a5p-1, 0x1.6b94c3bbe24b8p-1},
                          Case{0x1.dcd65p+27, -0x1.faacd2873d0d5p-1, 0x1.2699d4dd8ad51p-3},
                          Case{-0x1.4e7b4f70066e8p+999, 0x1.7cebb9f2b1357p-4, -0x1.fdc7f83e4da66p-1}}) {
        EXPECT_EQ(DeterministicSin(c.x), c.sin) << c.x;
        EXPECT_EQ(DeterministicCos(c.x), c.cos) << c.x;
    }
}

TEST(DeterministicTrig, SpecialAndHugeArguments) {
    EXPECT_TRUE(std::isnan(DeterministicSin(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(DeterministicCos(std::numeric_limits<double>::quiet_NaN())));
    for (double x : {1e12, -3e20, 1e300, 1.7976931348623157e308})
        EXPECT_LE(std::fmax(std::fabs(DeterministicSin(x)), std::fabs(DeterministicCos(x))), 1.0) << x;
    for (double x : {7.0, 1e9, -1e9, 123456789.125, 1e20, -3e300, 5e-3})
        EXPECT_EQ(ExactRemainder(x, 6.283185307179586), std::fmod(x, 6.283185307179586)) << x;
}

TEST(Lcg, FirstNumbersAndJitterFromSeedZero) {
    Lcg g;
    LcgSeed(&g, 0);
    for (int expected : {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612})
        EXPECT_EQ(LcgNext(&g), expected);
    LcgSeed(&g, 0);
    EXPECT_EQ(LcgJitter(&g), 38 - 500);
    EXPECT_EQ(LcgJitter(&g), 719 - 500);
}

TEST(Lcg, SkippingEqualsDrawing) {
    for (uint64_t n : {0ull, 1ull, 2ull, 3ull, 17ull, 1000ull, 123457ull}) {
        Lcg a, b;
        LcgSeed(&a, 0), LcgSeed(&b, 0);
        for (uint64_t i = 0; i < n; ++i) LcgNext(&a);
        LcgSkip(&b, n);
        EXPECT_EQ(LcgNext(&a), LcgNext(&b)) << n;
    }
    // The period is 2^32: a full cycle comes back to the start.
    EXPECT_EQ(LcgAdvance(12345u, uint64_t(1) << 32), 12345u);
}

}  // namespace
