// The direct path knows only full ink and full paper: a stamped point is
// ink (or, with `invert`, paper) at once. Every rule only depends on the
// pixel's source and on samples it does not write, so stamping a point
// twice, or in any order, gives the same pixel.
#include "engine/Compositor.h"

namespace {

template <typename Sample>
void Ink(Sample* o, const Sample* s, int planes, const CompositeSwitches& sw, int channel) {
    const Sample kMax = Sample(SampleMax(sizeof(Sample) == 2));
    if (!sw.invert) {
        if (sw.colorSchema == 1) {
            o[channel] = 0;
            if (planes > 3) {
                if (channel == 0)
                    o[3] = 0;
                else if (channel == 1)
                    o[3] = o[0];
                else
                    o[3] = o[0] > o[1] ? o[0] : o[1];
            }
        } else {
            o[0] = o[1] = o[2] = 0;
            if (planes > 3) o[3] = 0;
        }
    } else if (sw.colorSchema == 2) {
        for (int p = 0; p < planes; ++p) o[p] = kMax;
    } else {
        if (sw.colorSchema == 1)
            o[channel] = kMax;
        else
            o[0] = s[0], o[1] = s[1], o[2] = s[2];
        if (planes > 3) o[3] = s[3];
        if (planes > 4) o[4] = s[4];
    }
    // Alpha.
    if (planes < 4) return;
    if (!sw.cmykConverted) {
        if (sw.fillAlpha) o[3] = kMax;
    } else if (planes != 4) {
        if (sw.fillAlpha && o[3] != kMax) o[3] = o[4] = kMax;
    } else {
        o[3] = kMax;
    }
}

}  // namespace

void PutInkPixel(int row, int col, const PixelRegion& px, const CompositeSwitches& sw, int channel) {
    if (col < 0 || row < 0 || col >= px.width || row >= px.height) return;
    if (px.is16)
        Ink(OutPixel<uint16_t>(px, col, row), SrcPixel<uint16_t>(px, col, row), px.planes, sw, channel);
    else
        Ink(OutPixel<uint8_t>(px, col, row), SrcPixel<uint8_t>(px, col, row), px.planes, sw, channel);
}
