// One stroke sample: nothing below width 0.3, a single point up to 2.0,
// otherwise the bow-tie or dot brush of radius trunc(r/2 + 0.5). The brush
// is applied row by row from its span table; the points set are exactly
// the traced ones (the tests compare both for every radius).
#include "engine/Brush.h"
#include "engine/CoverageRaster.h"
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

}  // namespace

void StampDisc(bool useDots, float r, int x, int y, const StrokeTarget& target) {
    if (!(r >= 0.3f)) return;  // also NaN
    // Positions are at most kFarCoordinate in magnitude, so these sums stay in range.
    x -= target.stampOffsetX;
    y -= target.stampOffsetY;
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
