// Rectangles of one chunk: the output is the chunk, the input reaches
// around it, the mask covers the image when it is split.
#include <gtest/gtest.h>

#include "host/ChunkPlan.h"
#include "host/MemoryPlan.h"
#include "tests/support/FakeHost.h"

namespace {

TEST(ChunkPlan, RectanglesOfAChunk) {
    struct Case { VRect filter; int32_t top, rows, reach; bool split; const char *in, *out, *mask; };
    for (const Case& c : {Case{{0, 0, 100, 50}, 0, 100, 0, false, "0,0,100,50", "0,0,100,50", "0,0,100,50"},
                          // The input reaches around the chunk, within the image.
                          Case{{10, 5, 110, 55}, 40, 20, 7, false, "33,5,67,55", "40,5,60,55", "33,5,67,55"},
                          Case{{10, 5, 110, 55}, 10, 20, 7, true, "10,5,37,55", "10,5,30,55", "10,5,110,55"},
                          // The last chunk is not clipped.
                          Case{{0, 0, 13, 20}, 12, 3, 4, false, "8,0,15,20", "12,0,15,20", "8,0,15,20"}}) {
        const ChunkRects r = PlanChunk(c.filter, c.top, c.rows, c.reach, c.split);
        EXPECT_EQ(RectText(r.in), c.in) << c.top;
        EXPECT_EQ(RectText(r.out), c.out) << c.top;
        EXPECT_EQ(RectText(r.mask), c.mask) << c.top;
    }
}

TEST(PlanRowSkip, SmallestChunkThatMeetsTheBudget) {
    struct Case { int32_t width, height, planes, maxSpace, rowSkip; };
    for (const Case& c : {Case{20, 13, 3, 400, 3}, Case{20, 13, 3, 420, 3}, Case{20, 13, 3, 421, 4},
                          Case{20, 13, 3, 1 << 30, 13}, Case{20, 13, 3, 0, 1}, Case{0, 13, 3, 100, 13},
                          Case{20, 0, 3, 100, 1}, Case{100, 100000, 4, INT32_MAX, kMaxRowSkip}})
        EXPECT_EQ(PlanRowSkip(c.width, c.height, c.planes, c.maxSpace), c.rowSkip)
            << c.width << "x" << c.height << " budget " << c.maxSpace;
}

}  // namespace
