// The brushes: thresholds, the worked shapes, and the row-span tables the
// renderer stamps with against the point-by-point rule for every radius.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "engine/Brush.h"
#include "engine/CoverageRaster.h"
#include "engine/StrokeTarget.h"

namespace {

using PointSet = std::set<std::pair<int, int>>;

PointSet Traced(int R, bool dots) {
    PointSet s;
    TraceBrush(R, dots, [&](int x, int y) { s.insert({x, y}); });
    return s;
}

std::vector<int> RowWidths(const PointSet& s, int R) {
    std::vector<int> w;
    for (int y = -R; y <= R; ++y) {
        int n = 0;
        for (auto& p : s) n += p.second == y;
        w.push_back(n);
    }
    return w;
}

TEST(Brush, RadiusFiveShapes) {
    EXPECT_EQ(RowWidths(Traced(5, false), 5), (std::vector<int>{3, 7, 7, 5, 3, 1, 3, 5, 7, 7, 3}));
    EXPECT_EQ(RowWidths(Traced(5, true), 5), (std::vector<int>{3, 7, 9, 9, 11, 11, 11, 9, 9, 7, 3}));
}

TEST(Brush, SpanTablesEqualTracedPointsForEveryRadius) {
    const int side = 2 * kMaxBrushRadius + 1;
    std::vector<uint8_t> traced(size_t(side) * side), spans(traced.size());
    for (int dots = 0; dots < 2; ++dots)
        for (int R = 0; R <= kMaxBrushRadius; ++R) {
            std::fill(traced.begin(), traced.end(), 0);
            std::fill(spans.begin(), spans.end(), 0);
            auto at = [&](std::vector<uint8_t>& m, int x, int y) -> uint8_t& {
                return m[size_t(y + kMaxBrushRadius) * side + (x + kMaxBrushRadius)];
            };
            TraceBrush(R, dots != 0, [&](int x, int y) { at(traced, x, y) = 1; });
            BrushRows rows = GetBrushRows(R, dots != 0);
            for (int y = -R; y <= R; ++y) {
                int h = rows.halfWidth[y < 0 ? -y : y];
                for (int x = -h; x <= h; ++x) at(spans, x, y) = 1;
            }
            ASSERT_EQ(spans, traced) << "radius " << R << " dots " << dots;
        }
}

// Stamps into a small raster and returns the set subpixels relative to (x, y).
PointSet Stamp(bool dots, float r, int x = 40, int y = 40, int rowBytes = 10, int rows = 80) {
    std::vector<uint8_t> raster(size_t(rowBytes) * rows, 0);
    StrokeTarget t{};
    t.antialiased = true;
    t.subpixels = raster.data();
    t.rasterRowBytes = rowBytes;
    t.rasterRows = rows;
    StampDisc(dots, r, x, y, t);
    PointSet s;
    for (int yy = 0; yy < rows; ++yy)
        for (int xx = 0; xx < rowBytes * 8; ++xx)
            if (raster[size_t(yy) * rowBytes + xx / 8] >> (xx % 8) & 1) s.insert({xx - x, yy - y});
    return s;
}

struct WidthCase {
    float r;
    bool dots;
    size_t points;
};

class StampWidth : public testing::TestWithParam<WidthCase> {};

TEST_P(StampWidth, PointCount) { EXPECT_EQ(Stamp(GetParam().dots, GetParam().r).size(), GetParam().points); }

INSTANTIATE_TEST_SUITE_P(Worked, StampWidth,
                         testing::Values(WidthCase{0.29f, false, 0}, WidthCase{0.3f, false, 1}, WidthCase{2.0f, true, 1},
                                         WidthCase{2.01f, false, 3}, WidthCase{2.01f, true, 5}, WidthCase{3.0f, false, 13},
                                         WidthCase{3.0f, true, 21}, WidthCase{-5.0f, true, 0}));

TEST(Brush, WorkedShapesThroughTheStamp) {
    EXPECT_EQ(Stamp(false, 2.01f), (PointSet{{0, -1}, {0, 0}, {0, 1}}));
    EXPECT_EQ(Stamp(true, 2.01f), (PointSet{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}));
    PointSet r3 = Stamp(false, 3.0f);
    EXPECT_TRUE(r3.count({0, 0}) && !r3.count({1, 0}) && !r3.count({-1, 0}));
    EXPECT_EQ(RowWidths(Stamp(false, 10.0f), 5), (std::vector<int>{3, 7, 7, 5, 3, 1, 3, 5, 7, 7, 3}));
}

TEST(Brush, WidthsAreCappedAndStillFillAroundTheSample) {
    // A huge width stamps the widest brush, not an unbounded one.
    PointSet huge = Stamp(true, 1e30f, 100, 100, 40, 400);
    EXPECT_EQ(huge, Stamp(true, 2.0f * kMaxBrushRadius, 100, 100, 40, 400));
    EXPECT_TRUE(huge.count({0, 0}));
    EXPECT_EQ(Stamp(true, std::numeric_limits<float>::quiet_NaN()).size(), 0u);
}

TEST(Brush, StampIsClippedToTheRaster) {
    // Near the corner only the part inside the raster is set, and nothing wraps.
    PointSet s = Stamp(true, 10.0f, 1, 1);
    for (auto& p : s) {
        EXPECT_GE(p.first + 1, 0);
        EXPECT_GE(p.second + 1, 0);
    }
}

}  // namespace
