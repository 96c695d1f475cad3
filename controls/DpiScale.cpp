#include "controls/DpiScale.h"

#include <cstdint>

int ScaleForDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi) return pixels;
    const int64_t product = int64_t(pixels) * dpi;
    const int64_t half = kBaseDpi / 2;
    return int(product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi));
}

int ArtworkScaleForDpi(int dpi) { return dpi >= 144 ? 2 : 1; }
