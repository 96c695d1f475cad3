// The antialiased path: each pass's coverage nibble (0..15) becomes a paper
// value k that scales, replaces or limits the pixel's samples according to
// the schema, then the alpha step flattens or moves the computed alpha.
#include "engine/Compositor.h"
#include "engine/ExactScale.h"

namespace {

template <typename Sample>
struct Ops {
    static constexpr bool kIs16 = sizeof(Sample) == 2;
    static constexpr uint32_t kMax = kIs16 ? kMax16 : kMax8;
    static Sample Mul(uint32_t v, uint32_t k) { return Sample(ScaleSample(v, k, kIs16)); }
    static Sample Min(uint32_t a, uint32_t b) { return Sample(a < b ? a : b); }
    static uint32_t Max(uint32_t a, uint32_t b) { return a > b ? a : b; }
};

template <typename Sample>
void CompositePixel(Sample* o, const Sample* s, int planes, uint32_t k, const CompositeSwitches& sw,
                    int channel) {
    using O = Ops<Sample>;
    const bool alpha = planes >= 4;
    if (!sw.invert) {
        if (sw.colorSchema == 1) {
            if (!alpha) {
                o[channel] = O::Mul(o[channel], k);
            } else {
                o[channel] = Sample(k);
                uint32_t m = k;
                if (channel == 1) m = O::Max(o[0], k);
                if (channel == 2) m = O::Max(O::Max(o[0], o[1]), k);
                o[3] = O::Min(s[3], m);
            }
        } else if (!alpha) {
            o[0] = O::Mul(o[0], k), o[1] = O::Mul(o[1], k), o[2] = O::Mul(o[2], k);
        } else {
            o[3] = O::Min(o[3], k);
        }
    } else if (sw.colorSchema == 2) {
        if (!alpha) {
            o[0] = o[1] = o[2] = Sample(k);
        } else {
            o[0] = o[1] = o[2] = Sample(O::kMax);
            o[3] = O::Min(s[3], k);
        }
    } else if (sw.colorSchema == 1) {
        o[channel] = Sample(k);
        if (alpha) o[3] = O::Min(s[3], O::Max(o[3], k));
    } else if (!alpha) {
        o[0] = O::Mul(s[0], k), o[1] = O::Mul(s[1], k), o[2] = O::Mul(s[2], k);
    } else {
        o[0] = s[0], o[1] = s[1], o[2] = s[2];
        o[3] = O::Min(s[3], k);
    }

    // Alpha step.
    if (!alpha) return;
    const bool flatten = sw.cmykConverted ? (planes == 4 || sw.fillAlpha) : sw.fillAlpha;
    if (flatten) {
        o[0] = O::Mul(o[0], o[3]), o[1] = O::Mul(o[1], o[3]), o[2] = O::Mul(o[2], o[3]);
        o[3] = Sample(O::kMax);
        if (sw.cmykConverted && planes > 4) o[4] = Sample(O::kMax);
    } else if (sw.cmykConverted) {
        o[4] = o[3];  // planes > 4 here: the computed alpha goes to the image's alpha sample
    }
}

template <typename Sample>
void Composite(const PixelRegion& px, const uint8_t* coverage, int rowBytes, const CompositeSwitches& sw,
               int channel) {
    for (int y = 0; y < px.height; ++y) {
        const uint8_t* covRow = coverage + int64_t(y) * rowBytes;
        for (int x = 0; x < px.width; x += 2) {
            // One byte serves two pixels: both paper values first.
            uint8_t b = covRow[x >> 1];
            uint32_t kEven = PaperValue(b & 15, sw.invert, Ops<Sample>::kIs16);
            uint32_t kOdd = PaperValue(b >> 4, sw.invert, Ops<Sample>::kIs16);
            CompositePixel(OutPixel<Sample>(px, x, y), SrcPixel<Sample>(px, x, y), px.planes, kEven, sw, channel);
            if (x + 1 < px.width)
                CompositePixel(OutPixel<Sample>(px, x + 1, y), SrcPixel<Sample>(px, x + 1, y), px.planes, kOdd, sw,
                               channel);
        }
    }
}

}  // namespace

void CompositeCoverage(const PixelRegion& px, const uint8_t* coverage, int coverageRowBytes,
                       const CompositeSwitches& sw, int channel) {
    if (px.is16)
        Composite<uint16_t>(px, coverage, coverageRowBytes, sw, channel);
    else
        Composite<uint8_t>(px, coverage, coverageRowBytes, sw, channel);
}
