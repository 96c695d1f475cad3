#include "bench/BenchPhoto.h"

#include <algorithm>
#include <cmath>

// Smooth shading, edges and texture, like a photograph's tones.
const std::vector<uint8_t>& Photo() {
    static const std::vector<uint8_t> pixels = [] {
        std::vector<uint8_t> p(size_t(kWidth) * kHeight * 3);
        uint32_t noise = 1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                double u = double(x) / kWidth, v = double(y) / kHeight;
                double base = 0.5 + 0.25 * std::sin(6.0 * u + 2.0 * v) + 0.2 * std::cos(9.0 * v - 3.0 * u * v);
                double dx = u - 0.45, dy = v - 0.4;
                if (dx * dx + dy * dy < 0.04) base *= 0.3;  // a dark subject
                noise = noise * 1664525u + 1013904223u;
                double grain = double(noise >> 24) / 255.0 * 0.06 - 0.03;
                for (int c = 0; c < 3; ++c) {
                    double t = std::clamp(base + grain + 0.08 * (c - 1) * u, 0.0, 1.0);
                    p[(size_t(y) * kWidth + x) * 3 + c] = uint8_t(t * 255);
                }
            }
        return p;
    }();
    return pixels;
}
