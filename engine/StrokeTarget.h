// What every stroke of one render draws into: the region's pixels, the
// subpixel raster of the antialiased path, and the switches the pixel
// writer reads. Stamp positions arrive in the layout frame's raster units
// and are moved into the region by (stampOffsetX, stampOffsetY).
#pragma once

#include <cstdint>

#include "engine/Compositor.h"
#include "engine/PixelRegion.h"

// The last stamp drawn. Drawing the same brush, or a smaller one of its
// kind, at the same place again sets only bits (or inks only pixels)
// already set, so it can be skipped.
struct StampMemo {
    int x = 0, y = 0;
    int radius = -2;  // brush radius; -1 a single point; -2 nothing drawn yet
    bool dots = false;
};

struct PendingRuns;

struct StrokeTarget {
    PixelRegion pixels;
    bool antialiased;
    uint8_t* subpixels;  // antialiased path: 4h rows of rasterRowBytes
    int rasterRowBytes;
    int rasterRows;
    CompositeSwitches switches;
    int channel;  // the pass's colour channel
    int stampOffsetX, stampOffsetY;  // the region's corner in frame raster units
    StampMemo* lastStamp;            // fast render only; null in the reference render
    PendingRuns* pendingRuns;        // fast antialiased render only; else null
};

// Stamps the brush for one sample of stroke width r at frame raster position (x, y).
void StampDisc(bool useDots, float r, int x, int y, const StrokeTarget& target);
