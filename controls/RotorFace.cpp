#include "controls/RotorFace.h"

#include <cmath>

#include "controls/DpiScale.h"
#include "controls/RotorModel.h"

namespace {

const uint32_t kInk = PackRgb(0, 0, 0);

// The pixel pair straddling the curve at `exact` along one axis, in all
// four quadrants: the inner pixel gets the coverage the curve leaves it,
// the outer one the rest.
void PutPair(PixelCanvas& canvas, int cx, int cy, int along, float exact, bool alongX, uint32_t colour,
             uint32_t background) {
    const int inner = int(exact);
    const int outerCoverage = int((exact - float(inner)) * 255.0f);
    const uint32_t innerPixel = BlendCoverage(background, colour, 255 - outerCoverage);
    const uint32_t outerPixel = BlendCoverage(background, colour, outerCoverage);
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            for (int k = 0; k < 2; ++k) {
                const int across = inner + k;
                const int x = alongX ? along : across;
                const int y = alongX ? across : along;
                PutPixel(canvas, cx + sx * x, cy + sy * y, k == 0 ? innerPixel : outerPixel);
            }
        }
    }
}

// One pixel wide: the walk of pixel pairs; wider (high DPI): a ring of the
// pen's width, so the face keeps its proportions.
void DrawOutline(PixelCanvas& canvas, int cx, int cy, int radius, int pen, uint32_t background) {
    if (pen <= 1) {
        DrawAntialiasedCircle(canvas, cx, cy, radius, kInk, background);
    } else {
        DrawAntialiasedRing(canvas, cx, cy, radius, pen, kInk, background);
    }
}

}  // namespace

void DrawAntialiasedCircle(PixelCanvas& canvas, int cx, int cy, int radius, uint32_t colour, uint32_t background) {
    if (radius <= 0) return;
    const float r = float(radius);
    // One quadrant in two halves, each stepping along the axis where the
    // curve is flatter, so that the outline never breaks; both go one step
    // past the diagonal, where the curve is steep for neither.
    const int turn = int(r * 0.70710678f) + 1;
    for (int x = 0; x <= turn; ++x) PutPair(canvas, cx, cy, x, std::sqrt(r * r - float(x * x)), true, colour, background);
    for (int y = 0; y <= turn; ++y) PutPair(canvas, cx, cy, y, std::sqrt(r * r - float(y * y)), false, colour, background);
}

void DrawAntialiasedRing(PixelCanvas& canvas, int cx, int cy, int radius, int stroke, uint32_t colour,
                         uint32_t background) {
    if (radius <= 0 || stroke <= 0) return;
    const float half = float(stroke) * 0.5f;
    const int reach = radius + stroke;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const float distance = std::sqrt(float(dx * dx + dy * dy));
            const float coverage = half + 0.5f - std::fabs(distance - float(radius));
            if (coverage <= 0.0f) continue;
            PutPixel(canvas, cx + dx, cy + dy,
                     BlendCoverage(background, colour, coverage >= 1.0f ? 255 : int(coverage * 255.0f)));
        }
    }
}

void RenderRotorFace(PixelCanvas& canvas, float value, int dpi, uint32_t background) {
    const int w = canvas.width, h = canvas.height;
    FillBox(canvas, 0, 0, w, h, background);
    // The circle follows the width; only a dial wider than tall (a dialog
    // font wider than the template assumed) takes its height instead, so
    // that the circle is never cut off.
    int radius = w / 2 - ScaleForDpi(2, dpi);
    if (radius > h / 2 - ScaleForDpi(1, dpi)) radius = h / 2 - ScaleForDpi(2, dpi);
    const int pen = ScaleForDpi(1, dpi);
    DrawOutline(canvas, w / 2, h / 2, radius, pen, background);

    // The marker: a cross as lines of the pen's width draw it (end points
    // excluded), then a small circle around it.
    const Point2 marker = RotorMarker(value, w, h, radius);
    const int arm = ScaleForDpi(5, dpi);
    const int offset = pen / 2;
    FillBox(canvas, marker.x - arm, marker.y - offset, marker.x + arm, marker.y - offset + pen, kInk);
    FillBox(canvas, marker.x - offset, marker.y - arm, marker.x - offset + pen, marker.y + arm, kInk);
    DrawOutline(canvas, marker.x, marker.y, arm, pen, background);
}
