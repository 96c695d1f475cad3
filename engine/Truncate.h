// Float-to-integer conversion without undefined behaviour. The engine
// truncates toward zero everywhere; C++ leaves the conversion of NaN,
// infinities and out-of-range values undefined, and settings arrive
// unvalidated, so every conversion goes through here.
#pragma once

#include <cstdint>

// Far outside any raster, yet small enough that adding a brush radius or an
// image offset cannot overflow a 32-bit int.
constexpr int kFarCoordinate = 1 << 29;

// trunc(x) limited to [-kFarCoordinate, kFarCoordinate]; NaN gives
// -kFarCoordinate, a position no raster or image contains.
inline int TruncCoordinate(double x) {
    if (x >= double(kFarCoordinate)) return kFarCoordinate;
    if (x > -double(kFarCoordinate)) return int(x);
    return -kFarCoordinate;  // also NaN, for which every comparison fails
}

// trunc(x) limited to [lo, hi]; NaN gives lo.
inline int64_t TruncClamped(double x, int64_t lo, int64_t hi) {
    if (x >= double(hi)) return hi;
    if (x > double(lo)) return int64_t(x);
    return lo;
}

inline bool IsFiniteValue(double x) { return x - x == 0.0; }

// Limits a double to [lo, hi] before it is stored as a float; NaN gives `fallback`.
inline double ClampValue(double x, double lo, double hi, double fallback = 0.0) {
    if (!(x == x)) return fallback;
    return x < lo ? lo : (x > hi ? hi : x);
}
