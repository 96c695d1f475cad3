// Pictures in GEGL's sample scales (16-bit samples 0..65535) and the
// whole-image engraving every region is compared with.
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

// Shading with grain over the full range; `blank` leaves every sample 0.
TestPixels MakeTestPixels(const PixelRect& rect, const PixelLayout& layout, bool blank = false);
TestPixels Crop(const TestPixels& pixels, const PixelRect& rect);
TestPixels RenderWhole(const EngraveSettings& settings, const TestPixels& picture);
// Empty when equal, else where they first differ.
std::string Difference(const TestPixels& actual, const TestPixels& expected);
