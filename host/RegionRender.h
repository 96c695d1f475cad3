// One region engraved from the host's input: the source copy (CMYK
// converted to RGB through the host's colour suite) and the engine run.
// The final pass and the dialog's preview both go through here, so the
// preview is exactly that part of the final image.
#pragma once

#include <cstddef>

#include "engine/Engrave.h"
#include "host/PassLayout.h"
#include "host/Progress.h"

// Page allocations of one pass, released whatever happens.
struct PassBuffers {
    void* copy = nullptr;  // the source window, `planes` samples per pixel
    size_t copyBytes = 0;
    EngraveScratch scratch{nullptr, nullptr};
    size_t subpixelBytes = 0, coverageBytes = 0;

    PassBuffers() = default;
    PassBuffers(const PassBuffers&) = delete;
    PassBuffers& operator=(const PassBuffers&) = delete;
    ~PassBuffers();
    void FreeRasters();
};

// Renders layout.region into layout.out with the host's record for the
// colour suite. Progress of a region smaller than the image is mapped onto
// the whole image when `wholeImageProgress` is set, so that a split run's
// bar runs once from start to end. Returns noErr, memFullErr, or
// errPlugInHostInsufficient when a CMYK image meets no colour suite; the
// copy stays in `buffers` for the selection blend.
OSErr RenderRegion(const EngraveSettings& settings, const PassLayout& layout, const ProgressSink& progress,
                   bool wholeImageProgress, PassBuffers* buffers);
