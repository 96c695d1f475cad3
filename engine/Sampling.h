// Reading the picture under a stroke sample, in frame pixel coordinates.
#pragma once

#include "engine/RenderContext.h"
#include "engine/Truncate.h"

// The pixel a raster point samples: trunc(p / 4 + 0.5) antialiased,
// trunc(p + 0.5) direct (truncation toward zero, so -0.7 gives 0).
inline int SamplingCoordinate(const RenderContext& c, float p) {
    double v = c.setup.antialiased ? double(p) * 0.25 + 0.5 : double(p) + 0.5;
    return TruncCoordinate(v);
}

// 0..255: the pass channel ("Split color") or the brightest channel, scaled
// by alpha; outside the frame the nearest edge pixel; 0 outside the
// delivered source window (a window that covers the reach never hits that).
int SampleIntensity(const RenderContext& c, int x, int y);

// Whether the selection lets a sample at frame pixel (x, y) draw.
bool MaskAllows(const RenderContext& c, int x, int y);
