// Where one filter pass reads and writes: the region to engrave, the source
// window around it and the host buffers, all in image coordinates (the
// filter rectangle's top-left corner is 0, 0).
#pragma once

#include <cstdint>

#include "engine/Engrave.h"
#include "host/ModuleState.h"

struct PassLayout {
    int depth;   // 8 or 16
    int planes;  // samples per pixel
    int bytesPerSample;
    bool preview;  // the dialog is open: the region is the preview pane
    bool cmyk;     // CMYK or CMYK64: converted to RGB for the work
    EngraveRegion region;

    // The host's input buffer and the image position of its first pixel.
    const uint8_t* in;
    int64_t inStride;  // samples per row
    int inLeft, inTop;

    // The source window the engine samples (copied and converted from the input).
    int windowLeft, windowTop, windowWidth, windowHeight;

    // The host's output buffer: the region's pixel (0, 0) is its first pixel.
    uint8_t* out;
    int64_t outStride;

    // The selection, when the host supplied one.
    MaskView mask;
};

enum class LayoutError { None, UnsupportedMode, NothingToDo };

// Works out the layout from the current FilterRecord and record; in preview
// mode it also clamps the view and rounds the pane width (stored back into
// the globals' previewRect).
LayoutError PlanPassLayout(FilterGlobals* globals, const EngraveParams& params, PassLayout* layout);
