// Pictures in GEGL's sample scales (16-bit samples 0..65535) for the GEGL
// suites, and the whole-image render every region is compared with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gegl/RegionRender.h"

struct TestPixels {
    PixelRect rect{};
    PixelLayout layout{};
    std::vector<uint8_t> bytes;

    size_t PixelBytes() const { return size_t(layout.planes) * (layout.depth == 16 ? 2 : 1); }
    size_t RowBytes() const { return size_t(rect.width) * PixelBytes(); }
    PixelBlock Block() { return PixelBlock{bytes.data(), RowBytes(), rect}; }
};

// Shading, dark shapes and grain over the full range, alpha (RGBA) falling
// to a quarter towards the bottom right.
TestPixels MakeTestPixels(const PixelRect& rect, const PixelLayout& layout, uint32_t seed);
TestPixels BlankPixels(const PixelRect& rect, const PixelLayout& layout);
TestPixels Crop(const TestPixels& pixels, const PixelRect& rect);

// The engraving of the whole picture in one region.
TestPixels RenderWhole(const EngraveSettings& settings, const TestPixels& picture);

// Empty when equal, else where and by how much they first differ.
std::string Difference(const TestPixels& actual, const TestPixels& expected);
