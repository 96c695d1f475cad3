#include "engine/StrokeWidth.h"

#include "engine/Sampling.h"

namespace {

// v = (s - 0.5) * (1 + Kc), s the (optionally inverted) intensity in 0..1.
float Tone(RenderContext& c, int ix, int iy) {
    // Neighbouring samples mostly read the same pixel (beyond the edge, the
    // nearest edge pixel): the fast render keeps the last one's tone.
    if (c.frame.width > 0 && c.frame.height > 0) {
        ix = ix < 0 ? 0 : ix >= c.frame.width ? c.frame.width - 1 : ix;
        iy = iy < 0 ? 0 : iy >= c.frame.height ? c.frame.height - 1 : iy;
    }
    ToneMemo& memo = c.lastTone;
    if (c.fast && memo.valid && memo.x == ix && memo.y == iy) return memo.tone;
    int k = SampleIntensity(c, ix, iy);
    float s = float(double(k) * double(0.003921569f));
    if (c.setup.invertIntensity) s = 1.0f - s;
    const float tone = float((double(s) - 0.5) * (1.0 + double(c.setup.Kc)));
    memo = ToneMemo{ix, iy, tone, true};
    return tone;
}

}  // namespace

float StrokeWidthAt(RenderContext& c, float Wmax, float* px, float* py, int ix, int iy, float sideX, float sideY) {
    float v = Tone(c, ix, iy);
    if (c.reliefActive) {
        float d = float(double(LcgJitter(&c.rng)) * double(0.0005f) * double(c.setup.Nz) +
                        double(v) * double(c.setup.Rf));
        *px = float(double(*px) + double(sideX) * double(d));
        *py = float(double(*py) + double(sideY) * double(d));
        v = Tone(c, SamplingCoordinate(c, *px), SamplingCoordinate(c, *py));
    }
    float r = float((double(v) + 0.5) * double(Wmax));
    if (c.setup.notBreak && r < 1.0f) r = 1.0f;
    return r;
}
