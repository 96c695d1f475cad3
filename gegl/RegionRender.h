// One region of the engraving, from interleaved pixels as GEGL hands them
// out: 8-bit samples as they are, 16-bit samples in 0..65535 (scaled to the
// engine's 0..32768 and back on the way). No GEGL type appears here, so the
// region arithmetic is tested without GEGL.
#pragma once

#include <cstddef>

#include "gegl/BandPlan.h"
#include "settings/EngraveSettings.h"

struct PixelBlock {
    void* data;  // pixel (rect.x, rect.y)
    size_t rowBytes;
    PixelRect rect;  // in the image's coordinates
};

struct PixelLayout {
    int planes;  // 3 (RGB) or 4 (RGBA)
    int depth;   // 8 or 16
};

// Renders `region` of the engraving of `image` into `out`, which covers the
// region. `source` must cover InputBand(region, image, EngraveReach(...)).
// False, and `out` untouched, when the blocks do not fit those rules.
bool RenderRegion(const EngraveSettings& settings, const PixelRect& image, const PixelLayout& layout,
                  const PixelBlock& source, const PixelRect& region, const PixelBlock& out);
