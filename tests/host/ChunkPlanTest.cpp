// Rectangles of one chunk: the output is the chunk, the input reaches
// around it, the mask covers the image when it is split.
#include <gtest/gtest.h>

#include "host/ChunkPlan.h"
#include "host/MemoryPlan.h"

namespace {

bool Same(const VRect& a, const VRect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

TEST(ChunkPlan, OneChunkRequestsTheFilterRectangleThrice) {
    const VRect filter{0, 0, 100, 50};
    const ChunkRects r = PlanChunk(filter, 0, 100, 0, false);
    EXPECT_TRUE(Same(r.in, filter));
    EXPECT_TRUE(Same(r.out, filter));
    EXPECT_TRUE(Same(r.mask, filter));
}

TEST(ChunkPlan, InputReachesAroundTheChunkWithinTheImage) {
    const VRect filter{10, 5, 110, 55};
    ChunkRects r = PlanChunk(filter, 40, 20, 7, false);
    EXPECT_TRUE(Same(r.out, VRect{40, 5, 60, 55}));
    EXPECT_TRUE(Same(r.in, VRect{33, 5, 67, 55}));
    EXPECT_TRUE(Same(r.mask, r.in));
    r = PlanChunk(filter, 10, 20, 7, true);
    EXPECT_TRUE(Same(r.in, VRect{10, 5, 37, 55}));
    EXPECT_TRUE(Same(r.mask, filter));
}

TEST(ChunkPlan, TheLastChunkIsNotClipped) {
    const VRect filter{0, 0, 13, 20};
    const ChunkRects r = PlanChunk(filter, 12, 3, 4, false);
    EXPECT_TRUE(Same(r.out, VRect{12, 0, 15, 20}));
    EXPECT_EQ(r.in.top, 8);
    EXPECT_EQ(r.in.bottom, 15);
}

struct RowSkipCase {
    int32_t width, height, planes, maxSpace, rowSkip;
};

class RowSkip : public ::testing::TestWithParam<RowSkipCase> {};

TEST_P(RowSkip, SmallestChunkThatMeetsTheBudget) {
    const RowSkipCase& c = GetParam();
    EXPECT_EQ(PlanRowSkip(c.width, c.height, c.planes, c.maxSpace), c.rowSkip);
}

INSTANTIATE_TEST_SUITE_P(Cases, RowSkip,
                         ::testing::Values(RowSkipCase{20, 13, 3, 400, 3}, RowSkipCase{20, 13, 3, 420, 3},
                                           RowSkipCase{20, 13, 3, 421, 4}, RowSkipCase{20, 13, 3, 1 << 30, 13},
                                           RowSkipCase{20, 13, 3, 0, 1}, RowSkipCase{0, 13, 3, 100, 13},
                                           RowSkipCase{20, 0, 3, 100, 1},
                                           RowSkipCase{100, 100000, 4, INT32_MAX, kMaxRowSkip}));

}  // namespace
