// The dialog's live preview: the part of the final engraving that the
// preview pane shows, rendered exactly as the final image has it there
// (same stroke layout, random sequence, relief densification, CMYK
// conversion and selection), so the user judges the real result. Nothing module-wide switches into a preview
// mode: the view and the pane come in, the picture goes out.
#pragma once

#include <cstdint>
#include <vector>

#include "host/PluginInterface.h"
#include "host/Progress.h"
#include "settings/EngraveSettings.h"

struct PreviewRequest {
    // The host's record; its input buffer holds the image (the preview
    // fetch delivered the filter rectangle), and its mask the selection.
    const FilterRecord* host;
    int viewX, viewY;           // wanted top-left corner of the view in the image, pixels
    int paneWidth, paneHeight;  // the preview pane's client size, pixels
};

struct PreviewPicture {
    OSErr error = noErr;  // memFullErr, errPlugInHostInsufficient (CMYK without colour suite), ...
    bool empty = true;    // nothing rendered (an unsupported image, no input)
    int paneWidth = 0;    // the pane width rounded up to a multiple of 4
    // The region shown: the view pulled back into the image.
    int left = 0, top = 0, width = 0, height = 0;
    int planes = 0, depth = 0;  // as the image's: a CMYK image's picture holds CMYK, as the final render writes it
    // width x height pixels of `planes` samples: bytes at depth 8, 16-bit
    // words (full scale 32768) at depth 16, rows packed.
    std::vector<uint8_t> pixels;
};

// The view clamped into an image of W x H for a pane: the pane width
// rounded up to a multiple of 4; a corner at or beyond W - pane (H - pane)
// pulled back to one short of it, negatives to 0; the region no larger
// than the image.
PreviewPicture PlanPreviewRegion(int imageWidth, int imageHeight, const PreviewRequest& request);

PreviewPicture RenderPreview(const EngraveSettings& settings, const PreviewRequest& request,
                             const ProgressSink& progress);
