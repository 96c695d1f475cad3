#include "gegl/BandPlan.h"

#include <algorithm>
#include <cstdint>

namespace {

// Rounds down to a multiple of `step` (also below zero).
int64_t FloorTo(int64_t v, int64_t step) { return (v >= 0 ? v : v - step + 1) / step * step; }

PixelRect FullRows(const PixelRect& image, int64_t top, int64_t bottom) {
    top = std::max<int64_t>(top, image.y);
    bottom = std::min<int64_t>(bottom, int64_t(image.y) + image.height);
    if (bottom <= top) return PixelRect{image.x, image.y, 0, 0};
    return PixelRect{image.x, int(top), image.width, int(bottom - top)};
}

}  // namespace

bool IsEmpty(const PixelRect& r) { return r.width <= 0 || r.height <= 0; }

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    const int64_t x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int64_t x1 = std::min(int64_t(a.x) + a.width, int64_t(b.x) + b.width);
    const int64_t y1 = std::min(int64_t(a.y) + a.height, int64_t(b.y) + b.height);
    if (x1 <= x0 || y1 <= y0) return PixelRect{int(x0), int(y0), 0, 0};
    return PixelRect{int(x0), int(y0), int(x1 - x0), int(y1 - y0)};
}

PixelRect CachedBand(const PixelRect& request, const PixelRect& image) {
    const PixelRect wanted = Intersection(request, image);
    if (IsEmpty(wanted)) return wanted;
    const int64_t top = image.y + FloorTo(int64_t(wanted.y) - image.y, kBandRows);
    const int64_t bottom = image.y + FloorTo(int64_t(wanted.y) + wanted.height - image.y + kBandRows - 1, kBandRows);
    return FullRows(image, top, bottom);
}

PixelRect InputBand(const PixelRect& output, const PixelRect& image, int reach) {
    const PixelRect wanted = Intersection(output, image);
    if (IsEmpty(wanted)) return wanted;
    return FullRows(image, int64_t(wanted.y) - reach, int64_t(wanted.y) + wanted.height + reach);
}
