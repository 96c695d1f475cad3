// The frame the strokes are laid out in. With layoutOnImage the frame is the
// whole image (every region of it shows its part of one engraving); without
// it the frame is the region itself (the dialog's preview). Lengths are in
// raster units: a quarter pixel on the antialiased path, a pixel otherwise.
#pragma once

#include "engine/Engrave.h"

struct LayoutFrame {
    int width, height;           // frame size, pixels
    int originX, originY;        // frame pixel (0, 0) in image coordinates
    int imageWidth, imageHeight; // the whole filtered image W x H
    int unit;                    // raster units per pixel: 4 or 1
    float rasterWidth, rasterHeight;  // RW, RH
    float halfW, halfH;
    // The region in frame raster units, half-open.
    int regionX0, regionY0, regionX1, regionY1;
};

LayoutFrame MakeLayoutFrame(const EngraveRegion& region, bool antialiased);
