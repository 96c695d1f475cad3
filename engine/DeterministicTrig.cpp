#include "engine/DeterministicTrig.h"

#include <cstdint>
#include <cstring>

namespace {

// pi/2 in 26-bit pieces: k * piece is exact for |k| < 2^27.
constexpr double kHalfPi1 = 0x1.921fb5p+0;
constexpr double kHalfPi2 = 0x1.110b46p-26;
constexpr double kHalfPi3 = 0x1.1a6263p-54;
constexpr double kHalfPi4 = 0x1.8a2e03p-81;
constexpr double kTwoOverPi = 0.63661977236758134;
constexpr double kTwoPi = 0x1.921fb54442d18p+2;
constexpr double kLargeArgument = 134217728.0 * 1.5707963267948966 * 0.99;

// Minimax polynomials on [-pi/4, pi/4] (the classic fdlibm kernels).
constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                 S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                 S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                 C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                 C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;

double KernelSin(double x) {
    double z = x * x;
    double v = z * x;
    double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return x + v * (S1 + z * r);
}

double KernelCos(double x) {
    double z = x * x;
    double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    double hz = 0.5 * z;
    double w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + z * r);
}

bool IsFinite(double x) { return x - x == 0.0; }

// x = k * pi/2 + r with |r| <= about pi/4; returns r and the quadrant k mod 4.
double ReduceQuarterTurns(double x, int* quadrant) {
    if (x > kLargeArgument || x < -kLargeArgument) x = ExactRemainder(x, kTwoPi);
    double y = x * kTwoOverPi;
    int64_t k = int64_t(y >= 0 ? y + 0.5 : y - 0.5);
    double kd = double(k);
    double r = x - kd * kHalfPi1;
    r = r - kd * kHalfPi2;
    r = r - kd * kHalfPi3;
    r = r - kd * kHalfPi4;
    *quadrant = int(k & 3);
    return r;
}

uint64_t Bits(double x) {
    uint64_t u;
    std::memcpy(&u, &x, sizeof u);
    return u;
}

double FromBits(uint64_t u) {
    double x;
    std::memcpy(&x, &u, sizeof x);
    return x;
}

// The kernels' callers, inlined into the loops over many arguments below.
inline double SinOf(double x) {
    if (!IsFinite(x)) return x - x;
    int quadrant;
    double r = ReduceQuarterTurns(x, &quadrant);
    switch (quadrant) {
        case 0: return KernelSin(r);
        case 1: return KernelCos(r);
        case 2: return -KernelSin(r);
        default: return -KernelCos(r);
    }
}

inline void SinCosOf(double x, double* sine, double* cosine) {
    if (!IsFinite(x)) {
        *sine = *cosine = x - x;
        return;
    }
    int quadrant;
    double r = ReduceQuarterTurns(x, &quadrant);
    const double s = KernelSin(r), c = KernelCos(r);
    switch (quadrant) {
        case 0: *sine = s, *cosine = c; break;
        case 1: *sine = c, *cosine = -s; break;
        case 2: *sine = -s, *cosine = -c; break;
        default: *sine = -c, *cosine = s; break;
    }
}

}  // namespace

double ExactRemainder(double x, double y) {
    const uint64_t kSign = uint64_t(1) << 63, kImplicit = uint64_t(1) << 52;
    uint64_t ux = Bits(x), uy = Bits(y) & ~kSign;
    uint64_t sign = ux & kSign;
    ux &= ~kSign;
    if (ux < uy) return x;  // |x| < |y|: nothing to take away
    int ex = int(ux >> 52), ey = int(uy >> 52);
    if (ey == 0) return x;  // subnormal divisors are not needed here
    uint64_t mx = (ux & (kImplicit - 1)) | kImplicit;
    uint64_t my = (uy & (kImplicit - 1)) | kImplicit;
    // Long division, one bit of the exponent difference at a time; every
    // step is exact, so the remainder is exact.
    for (; ex > ey; --ex) {
        if (mx >= my) mx -= my;
        if (mx == 0) return FromBits(sign);
        mx <<= 1;
    }
    if (mx >= my) mx -= my;
    if (mx == 0) return FromBits(sign);
    for (; !(mx & kImplicit); mx <<= 1) --ex;
    uint64_t magnitude = ex > 0 ? ((mx - kImplicit) | (uint64_t(ex) << 52)) : (mx >> (1 - ex));
    return FromBits(magnitude | sign);
}

double DeterministicSin(double x) { return SinOf(x); }

double DeterministicCos(double x) {
    if (!IsFinite(x)) return x - x;
    int quadrant;
    double r = ReduceQuarterTurns(x, &quadrant);
    switch (quadrant) {
        case 0: return KernelCos(r);
        case 1: return -KernelSin(r);
        case 2: return -KernelCos(r);
        default: return KernelSin(r);
    }
}

void DeterministicSines(const double* x, double* sine, int n) {
    for (int i = 0; i < n; ++i) sine[i] = SinOf(x[i]);
}

void DeterministicSinesAndCosines(const float* x, float* sine, float* cosine, int n) {
    for (int i = 0; i < n; ++i) {
        double s, c;
        SinCosOf(x[i], &s, &c);
        sine[i] = float(s), cosine[i] = float(c);
    }
}
