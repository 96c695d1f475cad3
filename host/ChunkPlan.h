// The rectangles requested for one chunk or window of the image.
//
// The output rectangle is the chunk itself. The input rectangle reaches
// `reachRows` further up and down (clipped to the filter rectangle, never
// clipping the chunk's own bottom), because strokes that touch the chunk
// sample the image around it; the mask covers the whole filter rectangle
// when the image is split, because whether a stroke sample is selected
// decides the random sequence of everything drawn after it. With one chunk
// all three are the filter rectangle.
#pragma once

#include "host/PluginInterface.h"

struct ChunkRects {
    VRect in, out, mask;
};

ChunkRects PlanChunk(const VRect& filter, int32_t chunkTop, int32_t rowSkip, int32_t reachRows,
                     bool wholeMask);
