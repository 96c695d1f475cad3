// The brushes and the rasters they stamp into: the worked shapes, the
// row-span tables against the point-by-point rule for every radius, the
// 1-bit subpixel raster and its reduction to 4-bit coverage.
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

TEST(Brush, SpanTablesEqualTracedPointsForEveryRadius) {
    const int side = 2 * kMaxBrushRadius + 1;
    std::vector<uint8_t> traced(size_t(side) * side), spans(traced.size());
    auto at = [&](std::vector<uint8_t>& m, int x, int y) -> uint8_t& {
        return m[size_t(y + kMaxBrushRadius) * side + (x + kMaxBrushRadius)];
    };
    for (int dots = 0; dots < 2; ++dots)
        for (int R = 0; R <= kMaxBrushRadius; ++R) {
            std::fill(traced.begin(), traced.end(), 0);
            std::fill(spans.begin(), spans.end(), 0);
            TraceBrush(R, dots != 0, [&](int x, int y) { at(traced, x, y) = 1; });
            const BrushRows rows = GetBrushRows(R, dots != 0);
            for (int y = -R; y <= R; ++y)
                for (int h = rows.halfWidth[std::abs(y)], x = -h; x <= h; ++x) at(spans, x, y) = 1;
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

std::vector<int> RowWidths(const PointSet& s, int R) {
    std::vector<int> widths;
    for (int y = -R; y <= R; ++y)
        widths.push_back(int(std::count_if(s.begin(), s.end(), [y](const auto& p) { return p.second == y; })));
    return widths;
}

TEST(Brush, WorkedStamps) {
    struct Case { float r; bool dots; size_t points; };
    for (const Case& c : {Case{0.29f, false, 0}, Case{0.3f, false, 1}, Case{2.0f, true, 1}, Case{2.01f, false, 3},
                          Case{2.01f, true, 5}, Case{3.0f, false, 13}, Case{3.0f, true, 21}, Case{-5.0f, true, 0},
                          Case{std::numeric_limits<float>::quiet_NaN(), true, 0}})
        EXPECT_EQ(Stamp(c.dots, c.r).size(), c.points) << c.r << (c.dots ? " dots" : "");
    EXPECT_EQ(Stamp(false, 2.01f), (PointSet{{0, -1}, {0, 0}, {0, 1}}));
    EXPECT_EQ(Stamp(true, 2.01f), (PointSet{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}));
    EXPECT_EQ(RowWidths(Stamp(false, 3.0f), 2), (std::vector<int>{3, 3, 1, 3, 3}));  // full rows but the centre's
    EXPECT_EQ(RowWidths(Stamp(false, 10.0f), 5), (std::vector<int>{3, 7, 7, 5, 3, 1, 3, 5, 7, 7, 3}));
    EXPECT_EQ(RowWidths(Stamp(true, 10.0f), 5), (std::vector<int>{3, 7, 9, 9, 11, 11, 11, 9, 9, 7, 3}));
}

TEST(Brush, HugeWidthsStampTheWidestBrush) {
    const PointSet huge = Stamp(true, 1e30f, 100, 100, 40, 400);
    EXPECT_EQ(huge, Stamp(true, 2.0f * kMaxBrushRadius, 100, 100, 40, 400));
    EXPECT_TRUE(huge.count({0, 0}));
}

// Near the corner exactly the part inside the raster is set: nothing wraps
// to the other side.
TEST(Brush, StampIsClippedToTheRaster) {
    PointSet inside;
    for (const auto& p : Stamp(true, 10.0f))
        if (p.first + 1 >= 0 && p.second + 1 >= 0) inside.insert(p);
    EXPECT_EQ(Stamp(true, 10.0f, 1, 1), inside);
}

TEST(SubpixelRaster, RunsSetExactlyTheBitsOfSinglePoints) {
    for (int x0 = -10; x0 < 30; ++x0)
        for (int x1 = x0 - 1; x1 < 34; x1 += 3) {
            std::vector<uint8_t> a(3 * 2, 0), b(3 * 2, 0);
            SetRasterRun(x0, x1, 1, a.data(), 3, 2);
            for (int x = x0; x <= x1; ++x) SetRasterBit(x, 1, b.data(), 3, 2);
            ASSERT_EQ(a, b) << x0 << ".." << x1;
        }
}

// Full pixels reduce to fifteen, as do fifteen of sixteen subpixels.
TEST(CoverageRaster, SetSubpixelsReduceToCoverage) {
    NibbleCountTable t;
    BuildNibbleCountTable(&t);
    for (bool odd : {false, true})
        for (const auto& c : {std::pair<int, int>{16, 15}, {15, 15}, {14, 14}, {1, 1}, {0, 0}}) {
            // One row of two pixels: the even one in the low nibble, the odd one in the high.
            std::vector<uint8_t> sub(4, 0), cov(1, 0xEE);
            for (int i = 0; i < c.first; ++i) sub[i / 4] |= uint8_t(1 << ((i % 4) + (odd ? 4 : 0)));
            ReduceCoverage(2, 1, 1, sub.data(), cov.data(), t);
            EXPECT_EQ(cov[0], odd ? c.second << 4 : c.second) << c.first << " bits, odd " << odd;
        }
}

}  // namespace
