// One region engraved from the host's input: the source (RGB read where the
// host holds it, CMYK copied and converted to RGB through the host's colour
// suite) and the engine run, on the caller's thread and the engine's workers.
// The final pass and the dialog's preview both go through here, so the
// preview is exactly that part of the final image.
#pragma once

#include <cstddef>

#include "engine/Engrave.h"
#include "host/PassLayout.h"
#include "host/Progress.h"

// Renders layout.region into layout.out with the host's record for the
// colour suite. Progress of a region smaller than the image is mapped onto
// the whole image when `wholeImageProgress` is set, so that a split run's
// bar runs once from start to end. Returns noErr, memFullErr, or
// errPlugInHostInsufficient when a CMYK image meets no colour suite.
// Any working copy and the rasters live only for the render: page allocations
// released before this returns.
OSErr RenderRegion(const EngraveSettings& settings, const PassLayout& layout, const ProgressSink& progress,
                   bool wholeImageProgress);

// The output region of a CMYK image back from RGB to CMYK through the
// host's colour suite; false when the suite is missing or fails.
bool ConvertRegionToCmyk(const PassLayout& layout);
