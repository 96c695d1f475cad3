// A 32-bit pixel buffer (0x00RRGGBB, rows top-down, as a top-down DIB
// section holds them) that portable drawing code writes into directly.
#pragma once

#include <cstdint>

struct PixelCanvas {
    uint32_t* pixels;
    int width;
    int height;
};

constexpr uint32_t PackRgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// Writes one pixel; points outside the canvas are skipped.
void PutPixel(PixelCanvas& canvas, int x, int y, uint32_t colour);

// Fills [left, right) x [top, bottom), clipped to the canvas.
void FillBox(PixelCanvas& canvas, int left, int top, int right, int bottom, uint32_t colour);

// `colour` over `background` at coverage c (0..255), per channel
// background * (1 - c / 255) + colour * c / 255, truncated.
uint32_t BlendCoverage(uint32_t background, uint32_t colour, int coverage);
