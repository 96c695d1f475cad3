#include "controls/PixelResample.h"

#include <algorithm>
#include <cmath>

namespace {

// The weight source cell [i, i + 1) contributes to the target interval
// [from, to), in source units.
double Overlap(int i, double from, double to) { return std::max(0.0, std::min(to, i + 1.0) - std::max(from, double(i))); }

}  // namespace

void ResamplePixels(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* target, int targetWidth,
                    int targetHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return;
    const double sx = double(sourceWidth) / targetWidth, sy = double(sourceHeight) / targetHeight;
    for (int ty = 0; ty < targetHeight; ++ty) {
        const double y0 = ty * sy, y1 = y0 + sy;
        for (int tx = 0; tx < targetWidth; ++tx) {
            const double x0 = tx * sx, x1 = x0 + sx;
            double sum[3] = {0, 0, 0}, total = 0;
            for (int y = int(y0); y < sourceHeight && y < y1; ++y) {
                const double wy = Overlap(y, y0, y1);
                for (int x = int(x0); x < sourceWidth && x < x1; ++x) {
                    const double w = wy * Overlap(x, x0, x1);
                    const uint32_t p = source[size_t(y) * sourceWidth + x];
                    sum[0] += w * (p >> 16 & 0xFF);
                    sum[1] += w * (p >> 8 & 0xFF);
                    sum[2] += w * (p & 0xFF);
                    total += w;
                }
            }
            uint32_t out = 0;
            for (int c = 0; c < 3; ++c) out = out << 8 | uint32_t(std::lround(total > 0 ? sum[c] / total : 0));
            target[size_t(ty) * targetWidth + tx] = out;
        }
    }
}
