// A floating-point RGB canvas for the module's artwork: shapes are drawn
// with analytic anti-aliasing (coverage from each pixel centre's signed
// distance to the shape), so every picture can be drawn at any scale from
// one description. Written out as 24-bit BMP files, which is what the
// resource compiler embeds.
#pragma once

#include <string>
#include <vector>

struct Rgb {
    float r, g, b;
};

constexpr Rgb Grey(float v) { return {v, v, v}; }
Rgb Mix(Rgb a, Rgb b, float t);  // a + (b - a) * t

struct ArtCanvas {
    int width, height;
    std::vector<Rgb> pixels;  // top-down
};

ArtCanvas MakeCanvas(int width, int height, Rgb fill);

// `colour` over the pixel at `coverage` (0..1).
void Blend(ArtCanvas& canvas, int x, int y, Rgb colour, float coverage);

// Rows from `top` to `bottom` colour, top to bottom.
void FillVerticalGradient(ArtCanvas& canvas, float y0, float y1, Rgb top, Rgb bottom);

// A rounded rectangle [x0, x1] x [y0, y1] (pixel edges, not centres) with
// corner radius r, filled with a vertical gradient.
void FillRoundRect(ArtCanvas& canvas, float x0, float y0, float x1, float y1, float r, Rgb top, Rgb bottom,
                   float opacity = 1.0f);

// Its outline, `width` pixels wide, inside the edges.
void StrokeRoundRect(ArtCanvas& canvas, float x0, float y0, float x1, float y1, float r, float width, Rgb colour,
                     float opacity = 1.0f);

// A disc of radius r around (cx, cy).
void FillDisc(ArtCanvas& canvas, float cx, float cy, float r, Rgb colour, float opacity = 1.0f);

// A line segment with round ends, `width` wide.
void StrokeSegment(ArtCanvas& canvas, float x0, float y0, float x1, float y1, float width, Rgb colour);

// Columns [x, x + width) of `source` as a canvas of their own.
ArtCanvas Slice(const ArtCanvas& source, int x, int width);

// 24-bit BMP, bottom-up rows padded to 4 bytes, 96 DPI.
std::vector<unsigned char> EncodeBmp(const ArtCanvas& canvas);
bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes);
