// Products with the compositor's and sampler's float constants, formed
// exactly before truncation. A single-precision constant is m * 2^-e with a
// 24-bit integer m, so trunc(n * constant) for a non-negative integer n is
// (n * m) >> e in 64-bit integer arithmetic: no rounding anywhere, the same
// on every platform.
#pragma once

#include <cstdint>

struct ExactConstant {
    uint64_t mantissa;
    int shift;
};

// 0.003921569f, the value just above 1/255.
constexpr ExactConstant kScale255 = {8421505u, 31};
// 0.007781982f, the value just below 255/32768.
constexpr ExactConstant kScale16To8 = {16711679u, 31};
// 128.50197f, 32768/255 in single precision.
constexpr ExactConstant kScale8To16 = {8421505u, 16};

// trunc(n * c); n * mantissa must stay below 2^64 (n < 2^40).
inline uint32_t TruncProduct(uint64_t n, ExactConstant c, int extraShift = 0) {
    return uint32_t((n * c.mantissa) >> (c.shift + extraShift));
}
