#include <gtest/gtest.h>

#include "engine/Lcg.h"

namespace {

TEST(Lcg, FirstNumbersFromSeedZero) {
    Lcg g;
    LcgSeed(&g, 0);
    const int expected[] = {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612};
    for (int e : expected) EXPECT_EQ(LcgNext(&g), e);
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

TEST(Lcg, JitterRange) {
    Lcg g;
    LcgSeed(&g, 0);
    EXPECT_EQ(LcgJitter(&g), 38 - 500);
    for (int i = 0; i < 10000; ++i) {
        int j = LcgJitter(&g);
        ASSERT_GE(j, -500);
        ASSERT_LE(j, 499);
    }
}

}  // namespace
