#include "engine/Sampling.h"

bool MaskAllows(const RenderContext& c, int x, int y) {
    if (c.frame.width <= 0 || c.frame.height <= 0) return false;
    int64_t mx = x, my = y;
    // Beyond the image the nearest edge pixel's selection decides, as for
    // the intensity: so a selection of the whole image draws exactly what no
    // selection draws, strokes sampled just outside the edges included.
    mx = mx < 0 ? 0 : mx >= c.frame.width ? c.frame.width - 1 : mx;
    my = my < 0 ? 0 : my >= c.frame.height ? c.frame.height - 1 : my;
    const MaskView& m = c.mask;
    int64_t vx = mx - m.left, vy = my - m.top;
    if (vx < 0 || vy < 0 || vx >= m.width || vy >= m.height) return false;
    return m.data[vy * m.rowBytes + vx] != 0;
}
