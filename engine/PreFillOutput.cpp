// The paper before any stroke: white for "Black and white" and "Split
// color", the picture itself for "Initial color", black with `invert`.
#include "engine/Compositor.h"

namespace {

template <typename Sample>
void Fill(const PixelRegion& px, const CompositeSwitches& sw, bool antialiased) {
    const Sample kMax = Sample(SampleMax(sizeof(Sample) == 2));
    const int planes = px.planes;
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            Sample* o = OutPixel<Sample>(px, x, y);
            const Sample* s = SrcPixel<Sample>(px, x, y);
            if (!sw.invert) {
                if (sw.colorSchema == 1 || sw.colorSchema == 2) {
                    o[0] = o[1] = o[2] = kMax;
                    if (planes > 3) o[3] = s[3];
                } else {
                    for (int p = 0; p < planes; ++p) o[p] = s[p];
                }
            } else if (antialiased || (!sw.fillAlpha && !sw.cmykConverted)) {
                for (int p = 0; p < planes; ++p) o[p] = 0;
            } else if (sw.fillAlpha) {
                o[0] = o[1] = o[2] = 0;
                if (planes > 3) o[3] = kMax;
                if (sw.cmykConverted && planes > 4) o[4] = s[4];
            } else {  // cmykConverted, fillAlpha clear
                o[0] = o[1] = o[2] = 0;
                if (planes > 4) {
                    o[3] = 0;
                    o[4] = s[4];
                } else if (planes > 3) {
                    o[3] = kMax;
                }
            }
        }
    }
}

}  // namespace

void PreFillOutput(const PixelRegion& px, const CompositeSwitches& sw, bool antialiased) {
    if (px.is16)
        Fill<uint16_t>(px, sw, antialiased);
    else
        Fill<uint8_t>(px, sw, antialiased);
}
