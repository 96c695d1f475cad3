// Where one pass reads and writes: the region to engrave, the source window
// around it and the buffers, all in image coordinates (the filter
// rectangle's top-left corner is 0, 0).
#pragma once

#include <cstdint>

#include "engine/Engrave.h"
#include "host/PluginInterface.h"

struct PassLayout {
    int depth;   // 8 or 16
    int planes;  // samples per pixel
    int bytesPerSample;
    bool cmyk;  // CMYK or CMYK64: converted to RGB for the work
    SPBasicSuite* basicSuite;  // the host's, for the colour suite
    EngraveRegion region;

    // The host's input buffer and the image position of its first pixel.
    const uint8_t* in;
    int64_t inStride;  // samples per row
    int inLeft, inTop;

    // The source window the engine samples (copied and converted from the input).
    int windowLeft, windowTop, windowWidth, windowHeight;

    // The output buffer: the region's pixel (0, 0) is its first pixel.
    uint8_t* out;
    int64_t outStride;

    // The selection, when the host supplied one.
    MaskView mask;
};

enum class LayoutError { None, UnsupportedMode, NothingToDo };

// The chunk or window the host delivered: the region is its output
// rectangle, the window everything it delivered inside the image. Shows the
// module's message for an image it cannot engrave.
LayoutError PlanPassLayout(const FilterRecord* record, PassLayout* layout);

// A region of the image chosen by the caller, with `reach` pixels of source
// around it where the host delivered them; `out` is left for the caller.
// Refuses an unsupported image silently.
LayoutError PlanRegionLayout(const FilterRecord* record, const EngraveRegion& region, int reach,
                             PassLayout* layout);
