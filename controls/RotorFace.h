// The angle dial's face, drawn into pixels: the anti-aliased circle, the
// marker cross at the value's direction and the small circle around it.
// Portable, so the face can be checked pixel by pixel on any platform.
#pragma once

#include "controls/PixelCanvas.h"

// An anti-aliased circle outline of `radius` around (cx, cy): the two
// pixels on either side of the ideal curve share full coverage between
// them, each blended from `background` to `colour` and written without
// reading what is underneath.
void DrawAntialiasedCircle(PixelCanvas& canvas, int cx, int cy, int radius, uint32_t colour, uint32_t background);

// The same outline `stroke` pixels wide, coverage from each pixel's
// distance to the ideal circle.
void DrawAntialiasedRing(PixelCanvas& canvas, int cx, int cy, int radius, int stroke, uint32_t colour,
                         uint32_t background);

// The whole face for `value` (degrees) on a canvas the size of the dial's
// client area, at `dpi` (sizes are given at 96 DPI and scaled).
void RenderRotorFace(PixelCanvas& canvas, float value, int dpi, uint32_t background);
