// Which rows the operation computes, caches and reads. A render of any
// region walks every stroke of the image, so the operation works in
// full-width bands of rows on a fixed grid: GIMP's small tiles then share
// one band's walk instead of walking every stroke again per tile.
#pragma once

struct PixelRect {
    int x, y, width, height;
};

// Rows per band of the grid, counted from the image's top row.
constexpr int kBandRows = 128;

bool IsEmpty(const PixelRect& r);
PixelRect Intersection(const PixelRect& a, const PixelRect& b);

// The whole bands of the image that cover the request (empty when the
// request misses the image).
PixelRect CachedBand(const PixelRect& request, const PixelRect& image);

// The input an output region needs: full rows of the image, from `reach`
// rows above the region to `reach` rows below it. The same rows are those
// whose output a change of the region's input can alter.
PixelRect InputBand(const PixelRect& output, const PixelRect& image, int reach);
