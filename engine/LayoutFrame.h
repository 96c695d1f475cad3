// The frame the strokes are laid out in: the whole image, so that every
// region of it shows its part of one engraving. Lengths are in raster
// units: a quarter pixel on the antialiased path, a pixel otherwise.
#pragma once

#include "engine/Engrave.h"

struct LayoutFrame {
    int width, height;  // the whole filtered image W x H, pixels
    int unit;           // raster units per pixel: 4 or 1
    float rasterWidth, rasterHeight;  // RW, RH
    float halfW, halfH;
    // The region in frame raster units, half-open.
    int regionX0, regionY0, regionX1, regionY1;
};

LayoutFrame MakeLayoutFrame(const EngraveRegion& region, bool antialiased);
