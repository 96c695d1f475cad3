#include "host/ChunkPlan.h"

#include <algorithm>

ChunkRects PlanChunk(const VRect& filter, int32_t chunkTop, int32_t rowSkip, int32_t reachRows,
                     bool wholeMask) {
    ChunkRects rects;
    const int64_t bottom = int64_t(chunkTop) + rowSkip;
    rects.out = VRect{chunkTop, filter.left, int32_t(std::min<int64_t>(bottom, INT32_MAX)), filter.right};
    const int32_t reach = std::max(reachRows, 0);
    rects.in = rects.out;
    rects.in.top = std::max<int64_t>(int64_t(chunkTop) - reach, std::min(filter.top, chunkTop));
    const int64_t reachedBottom = std::min<int64_t>(bottom + reach, filter.bottom);
    rects.in.bottom = int32_t(std::max<int64_t>(reachedBottom, rects.out.bottom));
    rects.mask = wholeMask ? filter : rects.in;
    return rects;
}
