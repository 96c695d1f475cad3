#include "cli/color/SuiteColors.h"

#include <algorithm>
#include <cmath>

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

double WordToLight(uint16_t word) {
    const double v = word / 65535.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

uint16_t LightToWord(double light) {
    light = std::min(1.0, std::max(0.0, light));
    const double v = light <= 0.0031308 ? light * 12.92 : 1.055 * std::pow(light, 1 / 2.4) - 0.055;
    return uint16_t(std::lround(v * 65535.0));
}

uint16_t CompensateTowardsInk(uint16_t word, double black) {
    return LightToWord(black + (1 - black) * WordToLight(word));
}

uint16_t CompensateFromInk(uint16_t word, double black) {
    if (black >= 1) return word;
    return LightToWord((WordToLight(word) - black) / (1 - black));
}
