// The generator's sequence, and skipping ahead against drawing one by one.
#include <gtest/gtest.h>

#include "engine/Lcg.h"

namespace {

TEST(Lcg, FirstNumbersAndJitterFromSeedZero) {
    Lcg g;
    LcgSeed(&g, 0);
    for (int expected : {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612}) EXPECT_EQ(LcgNext(&g), expected);
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
