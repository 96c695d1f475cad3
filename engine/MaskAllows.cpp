#include "engine/Sampling.h"

bool MaskAllows(const RenderContext& c, int x, int y) {
    int64_t mx = int64_t(x) + c.frame.originX, my = int64_t(y) + c.frame.originY;
    if (mx < 0 || my < 0 || mx >= c.frame.imageWidth || my >= c.frame.imageHeight) return false;
    const MaskView& m = c.mask;
    int64_t vx = mx - m.left, vy = my - m.top;
    if (vx < 0 || vy < 0 || vx >= m.width || vy >= m.height) return false;
    return m.data[vy * m.rowBytes + vx] != 0;
}
