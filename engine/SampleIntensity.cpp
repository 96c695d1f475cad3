#include "engine/ExactScale.h"
#include "engine/Sampling.h"

namespace {

template <typename Sample>
int Intensity(const Sample* px, int planes, int schema, int channel) {
    uint32_t value;
    if (schema == kSplitColor) {
        value = px[channel];
    } else {
        value = px[0] > px[1] ? px[0] : px[1];
        if (px[2] > value) value = px[2];
    }
    uint32_t k;
    if (sizeof(Sample) == 1)
        k = planes >= 4 ? TruncProduct(uint64_t(px[3]) * value, kScale255) : value;
    else
        k = planes >= 4 ? TruncProduct(uint64_t(px[3]) * value, kScale16To8, 15) : TruncProduct(value, kScale16To8);
    // Valid samples stay within 255; out-of-scale 16-bit data is held there too.
    return int(k > 255 ? 255 : k);
}

}  // namespace

int SampleIntensity(const RenderContext& c, int x, int y) {
    if (c.frame.width <= 0 || c.frame.height <= 0) return 0;
    // Beyond the picture's edge the nearest edge pixel is read. Reading 0
    // there (black, which makes the thickest strokes) would draw a dark
    // fringe wherever strokes sampled just outside reach into the picture:
    // along the right and bottom edges that is every engraving, because the
    // last half pixel rounds outward.
    x = x < 0 ? 0 : x >= c.frame.width ? c.frame.width - 1 : x;
    y = y < 0 ? 0 : y >= c.frame.height ? c.frame.height - 1 : y;
    const SampleWindow& w = c.source;
    int64_t wx = int64_t(x) - w.left;
    int64_t wy = int64_t(y) - w.top;
    if (wx < 0 || wy < 0 || wx >= w.width || wy >= w.height) return 0;
    int64_t offset = wy * w.rowStride + wx * c.planes;
    if (c.is16)
        return Intensity(static_cast<const uint16_t*>(w.data) + offset, c.planes, c.setup.colorSchema, c.target.channel);
    return Intensity(static_cast<const uint8_t*>(w.data) + offset, c.planes, c.setup.colorSchema, c.target.channel);
}
