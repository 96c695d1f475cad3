#include "cli/win32/SuiteColors.h"

#include <algorithm>

void PlainRgbToCmyk(const uint16_t rgb[3], uint16_t cmyk[4]) {
    const uint32_t full = 65535;
    const uint32_t brightest = std::max({rgb[0], rgb[1], rgb[2]});
    cmyk[3] = uint16_t(full - brightest);
    for (int i = 0; i < 3; ++i) {
        // (1 - c - k) / (1 - k) in words, rounded; 0 for pure black.
        cmyk[i] = brightest == 0 ? 0 : uint16_t(((brightest - rgb[i]) * full + brightest / 2) / brightest);
    }
}

void PlainCmykToRgb(const uint16_t cmyk[4], uint16_t rgb[3]) {
    const uint64_t full = 65535;
    for (int i = 0; i < 3; ++i) {
        rgb[i] = uint16_t(((full - cmyk[i]) * (full - cmyk[3]) + full / 2) / full);
    }
}
