// The stroke width of one sample from the picture under it: dark pixels
// give thick strokes (with invertIntensity), contrast gains around mid grey,
// relief and noise push the sample sideways by its own intensity.
#pragma once

#include "engine/RenderContext.h"

// (px, py) is the sample point, (ix, iy) its sampling pixel, (sideX, sideY)
// the walker's side direction. With relief or noise the point is moved and
// sampled again (one random number). Returns r = (v + 0.5) * Wmax, at least
// 1 with "Not break".
float StrokeWidthAt(RenderContext& c, float Wmax, float* px, float* py, int ix, int iy, float sideX, float sideY);
