// Pixels as the Windows Imaging Component hands them over: packed rows in
// one of a few fixed channel orders, 16-bit samples as little-endian words.
// Unpacking fills an Image (cli/image/Image.h) in the file's own
// conventions (0..65535, CMYK as ink amounts); packing is the reverse.
// Portable, so that the channel orders are tested on Linux.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cli/image/Image.h"

enum class PackedLayout {
    Gray8, Gray16,
    Bgr8, Rgb8, Bgrx8, Bgra8, Rgba8,
    Rgb16, Bgr16, Rgba16, Bgra16,
    Cmyk8, Cmyk16, CmykAlpha8, CmykAlpha16,
};

struct PackedShape {
    ColorModel model;
    bool alpha;
    int depth;          // 8 or 16
    int channels;       // packed samples per pixel, padding included
    int order[5];       // packed channel -> image sample (-1: padding)
};

const PackedShape& ShapeOf(PackedLayout layout);

inline size_t PackedBytesPerPixel(PackedLayout layout) {
    const PackedShape& s = ShapeOf(layout);
    return size_t(s.channels) * (s.depth == 16 ? 2 : 1);
}

// Copies `rows` packed rows into image rows firstRow.. (the image's samples
// sized by AllocateSamples for the layout's model, alpha and depth).
void UnpackRows(PackedLayout layout, const uint8_t* packed, size_t stride, uint32_t firstRow, uint32_t rows,
                Image& image);

// Copies image rows firstRow.. into packed rows; padding bytes become 0xFF.
void PackRows(const Image& image, PackedLayout layout, uint32_t firstRow, uint32_t rows, uint8_t* packed,
              size_t stride);

// The layout that holds `image` as it is (gray, RGB or CMYK, alpha, depth),
// in the channel order the encoders of each file format accept.
PackedLayout LayoutForPng(const Image& image);   // RGB(A) or gray; not CMYK
PackedLayout LayoutForJpeg(const Image& image);  // 8-bit RGB, gray or CMYK
PackedLayout LayoutForBmp(const Image& image);   // 8-bit RGB
