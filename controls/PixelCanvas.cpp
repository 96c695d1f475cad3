#include "controls/PixelCanvas.h"

namespace {

int Channel(uint32_t pixel, int shift) { return int(pixel >> shift & 0xFF); }

}  // namespace

void PutPixel(PixelCanvas& canvas, int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
    canvas.pixels[y * canvas.width + x] = colour;
}

void FillBox(PixelCanvas& canvas, int left, int top, int right, int bottom, uint32_t colour) {
    for (int y = top < 0 ? 0 : top; y < bottom && y < canvas.height; ++y)
        for (int x = left < 0 ? 0 : left; x < right && x < canvas.width; ++x) canvas.pixels[y * canvas.width + x] = colour;
}

uint32_t BlendCoverage(uint32_t background, uint32_t colour, int coverage) {
    const float c = float(coverage) * 0.003921569f;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const float mixed = float(Channel(background, shift)) * (1.0f - c) + float(Channel(colour, shift)) * c;
        int value = int(mixed);
        if (value > 255) value = 255;
        out |= uint32_t(value) << shift;
    }
    return out;
}
