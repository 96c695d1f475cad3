// One stroke sample: nothing below width 0.3, a single point up to 2.0,
// otherwise the bow-tie or dot brush of radius trunc(r/2 + 0.5). The brush
// is applied row by row from its span table; the points set are exactly
// the traced ones (the tests compare both for every radius).
#include "engine/Brush.h"
#include "engine/CoverageRaster.h"
#include "engine/PendingRuns.h"
#include "engine/StrokeTarget.h"

namespace {

void PlotRun(int x0, int x1, int y, const StrokeTarget& t) {
    if (t.antialiased) {
        SetRasterRun(x0, x1, y, t.subpixels, t.rasterRowBytes, t.rasterRows);
        return;
    }
    if (y < 0 || y >= t.pixels.height) return;
    if (x0 < 0) x0 = 0;
    if (x1 >= t.pixels.width) x1 = t.pixels.width - 1;
    for (int x = x0; x <= x1; ++x) PutInkPixel(y, x, t.pixels, t.switches, t.channel);
}

// The fast render's antialiased brush: rows clipped to the raster once,
// each row's run merged into the row's pending run.
void StampRuns(int x, int y, int R, const BrushRows& rows, const StrokeTarget& t) {
    const int last = t.rasterRowBytes * 8 - 1;
    int dy0 = -R, dy1 = R;
    if (y + dy0 < 0) dy0 = -y;
    if (y + dy1 >= t.rasterRows) dy1 = t.rasterRows - 1 - y;
    for (int dy = dy0; dy <= dy1; ++dy) {
        const int half = rows.halfWidth[dy < 0 ? -dy : dy];
        if (half < 0) continue;
        int a = x - half, b = x + half;
        if (a < 0) a = 0;
        if (b > last) b = last;
        if (a <= b) AddPendingRun(t.pendingRuns, y + dy, a, b);
    }
}

}  // namespace

void StampDisc(bool useDots, float r, int x, int y, const StrokeTarget& target) {
    if (!(r >= 0.3f)) return;  // also NaN
    // Positions are at most kFarCoordinate in magnitude, so these sums stay in range.
    x -= target.stampOffsetX;
    y -= target.stampOffsetY;
    if (StampMemo* memo = target.lastStamp) {
        const int radius = r <= 2.0f ? -1 : BrushRadius(r);
        // Each brush holds every smaller one of its kind (and the single
        // point), so a stamp no larger than the last one at the same place
        // sets nothing new.
        if (memo->x == x && memo->y == y && memo->dots == useDots && radius <= memo->radius) return;
        *memo = StampMemo{x, y, radius, useDots};
        if (target.pendingRuns) {
            if (radius < 0) {  // a single point
                if (y >= 0 && y < target.rasterRows && x >= 0 && x < target.rasterRowBytes * 8)
                    AddPendingRun(target.pendingRuns, y, x, x);
                return;
            }
            // Nothing of a brush this far outside the raster can land in it.
            if (y + radius < 0 || y - radius >= target.rasterRows || x + radius < 0 ||
                x - radius >= target.rasterRowBytes * 8)
                return;
            StampRuns(x, y, radius, GetBrushRows(radius, useDots), target);
            return;
        }
    }
    if (r <= 2.0f) {
        PlotRun(x, x, y, target);
        return;
    }
    int R = BrushRadius(r);
    BrushRows rows = GetBrushRows(R, useDots);
    for (int dy = -R; dy <= R; ++dy) {
        int half = rows.halfWidth[dy < 0 ? -dy : dy];
        if (half >= 0) PlotRun(x - half, x + half, y + dy, target);
    }
}
