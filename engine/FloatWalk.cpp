#include "engine/FloatWalk.h"

#include <cmath>
#include <cstring>

namespace {

// 2^e for the exponents of normal floats, built from its bits.
double Power2(int e) {
    const uint64_t bits = uint64_t(e + 1023) << 52;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

uint64_t UniformAdditions(float x, float d, float* delta) {
    const float next = x + d;
    *delta = next - x;  // exact: both lie in x's binade when the answer is not 0
    if (d == 0.0f && x - x == 0.0f) {
        *delta = 0.0f;
        return kEndless;  // adding zero never moves a finite x, wherever it lies
    }
    // Whole numbers below 2^24 add exactly, whatever their binades (the
    // walk's own position s with steps of 1).
    const double ad = std::fabs(double(d)), ax = std::fabs(double(x));
    if (ax < 16777216.0 && ad >= 1.0 && ad < 16777216.0 && std::trunc(x) == x && std::trunc(d) == d) {
        *delta = d;
        return uint64_t((16777216.0 - ax) / ad);
    }
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int biased = int((bits >> 23) & 0xFF);
    // Zero, subnormals and the largest binades (where x + d may overflow) take single steps.
    if (biased < 24 || biased > 250 || !(std::fabs(double(d)) <= 1e30)) return 0;
    const double lo = Power2(biased - 127), hi = 2.0 * lo, ulp = Power2(biased - 150);
    if (!(std::fabs(double(d)) < lo)) return 0;  // x + d keeps the sign of x
    // x is a multiple of ulp; x + d lands between two multiples and rounds to
    // the nearer, which does not depend on x unless d sits exactly halfway.
    const double rest = std::fabs(double(d) - double(*delta));
    if (!(rest < 0.5 * ulp)) return 0;
    // Each sum x_j + d (x_j = x + j delta) must stay inside [lo, hi - ulp]
    // in magnitude, so that it is rounded on the same grid.
    const double z0 = std::fabs(double(x) + double(d));
    if (!(z0 >= lo + ulp && z0 <= hi - 2.0 * ulp)) return 0;
    if (*delta == 0.0f) return kEndless;
    const bool growing = (*delta > 0) == (x > 0);
    const double room = growing ? (hi - 2.0 * ulp) - z0 : z0 - (lo + ulp);
    const double steps = std::floor(room / std::fabs(double(*delta)));
    // The sum's own rounding of z0 above is within an ulp of x + d; the
    // margins of one ulp on both sides absorb it.
    return steps >= 1e15 ? uint64_t(1e15) : uint64_t(steps) + 1;
}

uint64_t StepsBelow(float x, float delta, double limit) {
    if (!(delta > 0.0f) || !(double(x) < limit)) return 0;
    // x + j delta is exact in double for the counts that occur (x and delta
    // share a grid and j stays below 2^28; callers never step further in one go).
    double j = std::ceil((limit - double(x)) / double(delta)) - 1.0;
    if (!(j < 268435456.0)) j = 268435456.0;
    if (j < 0) j = 0;
    while (j > 0 && double(x) + j * double(delta) >= limit) j -= 1;
    while (j < 268435456.0 && double(x) + (j + 1) * double(delta) < limit) j += 1;
    return uint64_t(j);
}
