// The brushes a stroke sample is stamped with. For each radius rr from R
// down to 0 one octant of a circle is traced on a doubled grid and mirrored:
// four points near the vertical axis give the bow-tie brush (strokes along x
// come out the full 2R + 1 thick), all eight give the dot brush, a filled disc.
#pragma once

#include <cstdint>

// Brushes wider than this are never needed: inside the dialog's ranges the
// widest stroke has R = 155 raster units; wider ones are drawn at this radius.
constexpr int kMaxBrushRadius = 256;

// Traces the octant of radius rr and calls plot(dx, dy) for every mirrored
// point, exactly in the order and multiplicity of the stamping rule.
template <typename Plot>
void TraceBrushCircle(int rr, bool useDots, Plot&& plot) {
    int j = 2 * rr, i = 0, err = 2 * rr - 1;
    do {
        int X = i >> 1, Y = j >> 1;
        int e2 = 2 * err;
        if (e2 < 0 && e2 + i < 0) {
            j -= 1;
            err += j;
        } else if (e2 < 0 || e2 - j < 0) {
            i += 1;
            j -= 1;
            err += j - i;
        } else {
            i += 1;
            err -= i;
        }
        plot(X, Y), plot(-X, Y), plot(-X, -Y), plot(X, -Y);
        if (useDots) plot(Y, X), plot(Y, -X), plot(-Y, -X), plot(-Y, X);
    } while (i <= j);
}

// The whole brush of radius R, point by point (the reference rule).
template <typename Plot>
void TraceBrush(int R, bool useDots, Plot&& plot) {
    for (int rr = R; rr >= 0; --rr) TraceBrushCircle(rr, useDots, plot);
}

// The brush as row spans: row dy (|dy| <= R) covers dx in [-halfWidth, halfWidth];
// -1 marks an empty row. The union of the traced points is symmetric in both
// axes and has no gaps in a row (the tests check this for every radius).
struct BrushRows {
    const int16_t* halfWidth;  // indexed by |dy|, 0..R
};

BrushRows GetBrushRows(int R, bool useDots);

// Radius of the brush for stroke width r > 2: trunc(r * 0.5 + 0.5), at most kMaxBrushRadius.
int BrushRadius(float r);
