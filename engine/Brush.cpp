#include "engine/Brush.h"

#include "engine/Truncate.h"

namespace {

constexpr int kRowsPerKind = (kMaxBrushRadius + 1) * (kMaxBrushRadius + 2) / 2;

struct BrushTables {
    int16_t halfWidth[2][kRowsPerKind];  // [useDots][offset(R) + |dy|]

    static int Offset(int R) { return R * (R + 1) / 2; }

    BrushTables() {
        for (int dots = 0; dots < 2; ++dots) {
            int16_t* prev = nullptr;
            for (int R = 0; R <= kMaxBrushRadius; ++R) {
                int16_t* rows = halfWidth[dots] + Offset(R);
                for (int y = 0; y <= R; ++y) rows[y] = (prev && y < R) ? prev[y] : int16_t(-1);
                // The brush of radius R is the brush of R - 1 plus the circle of radius R.
                TraceBrushCircle(R, dots != 0, [rows](int dx, int dy) {
                    int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
                    if (rows[ay] < ax) rows[ay] = int16_t(ax);
                });
                prev = rows;
            }
        }
    }
};

const BrushTables& Tables() {
    static const BrushTables tables;
    return tables;
}

}  // namespace

BrushRows GetBrushRows(int R, bool useDots) {
    if (R < 0) R = 0;
    if (R > kMaxBrushRadius) R = kMaxBrushRadius;
    return BrushRows{Tables().halfWidth[useDots ? 1 : 0] + BrushTables::Offset(R)};
}

int BrushRadius(float r) {
    return int(TruncClamped(double(r) * 0.5 + 0.5, 0, kMaxBrushRadius));
}
