#include "engine/DrawPatternPass.h"

#include "engine/Truncate.h"
#include "engine/Walkers.h"

#include <cmath>

namespace {

double Abs(double x) { return x < 0 ? -x : x; }

// Parallel lines covering a square of side N around the frame's centre,
// S apart, the first m * O from the square's edge.
void LineLayout(RenderContext& c, int m) {
    const EngraveSetup& st = c.setup;
    const LayoutFrame& f = c.frame;
    const int kind = st.pattern;
    float M = f.rasterWidth > f.rasterHeight ? f.rasterWidth : f.rasterHeight;
    float extra = (kind == 1 || kind == 2) ? float(4.0 * double(st.A)) : 0.0f;
    const int64_t N = TruncClamped((1.0 + Abs(double(st.sinTheta) * double(st.cosTheta))) * double(M) + double(extra),
                                   -1, int64_t(1) << 30);
    const float half = float(double(N) * 0.5);
    const float xa = -half, xb = half;
    const int passes = st.passes, p = c.pass;

    float t = float(double(m) * double(st.O));
    // Offsets far outside the dialog's range would put the first stroke
    // arbitrarily far before the square: start at most 1024 units before it.
    const double tLow = -double(N) - 1024.0;
    if (double(t) < tLow) {
        double k = std::ceil((tLow - double(t)) / double(st.S));
        t = float(double(t) + k * double(st.S));
    }
    while (double(t) < double(N)) {
        double done = double(TruncClamped(t, -(int64_t(1) << 40), int64_t(1) << 40)) + double(p) * double(N);
        ReportProgress(c, float(done > 0 ? done : 0.0), float(double(passes) * double(N)));
        float yy = float(double(t) - double(half));
        float x0 = float(double(f.halfW) + double(st.cosTheta) * xa - double(st.sinTheta) * yy);
        float y0 = float(double(f.halfH) + double(st.sinTheta) * xa + double(st.cosTheta) * yy);
        float x1 = float(double(f.halfW) + double(st.cosTheta) * xb - double(st.sinTheta) * yy);
        float y1 = float(double(f.halfH) + double(st.sinTheta) * xb + double(st.cosTheta) * yy);
        DrawLineStroke(c, kind, st.Fs, x0, y0, x1, y1, x0, y0);
        float next = t + st.S;
        if (!(next > t)) break;
        t = next;
    }
}

// Concentric rings, or the turns of one spiral, S apart from the nearest
// point of the frame (plus |O| * m) out to the farthest.
void RingLayout(RenderContext& c, int m) {
    const EngraveSetup& st = c.setup;
    const LayoutFrame& f = c.frame;
    const int kind = st.pattern;
    const double cx = st.cx, cy = st.cy, RW = f.rasterWidth, RH = f.rasterHeight;
    float dx = float(cx < 0 ? -cx : (cx > RW ? cx - RW : 0.0));
    float dy = float(cy < 0 ? -cy : (cy > RH ? cy - RH : 0.0));
    float dNear = float(std::sqrt(double(dx) * dx + double(dy) * dy));
    float rMax = float(std::sqrt(double(f.halfW) * f.halfW + double(f.halfH) * f.halfH) +
                       std::sqrt((f.halfW - cx) * (f.halfW - cx) + (f.halfH - cy) * (f.halfH - cy)));
    if (kind >= kSpiralWaves1) rMax = rMax + st.S;
    const bool isSpiral = kind >= kSpiral;
    const int waveKind = isSpiral ? kind - kSpiral : kind - kRings;
    const float F = waveKind >= 3 ? st.Fs : st.Fa;
    const int passes = st.passes, p = c.pass;
    const double total = double(TruncClamped(rMax, 0, int64_t(1) << 40)) * passes;

    float r = float(Abs(st.O) * double(m) + double(dNear));
    while (r < rMax) {
        double done = double(TruncClamped(r, 0, int64_t(1) << 40)) + double(p) * double(rMax);
        ReportProgress(c, float(done > 0 ? done : 0.0), float(total));
        DrawRingStroke(c, isSpiral, st.S, r, waveKind, F);
        float next = r + st.S;
        if (!(next > r)) break;
        r = next;
    }
}

}  // namespace

void DrawPatternPass(RenderContext& c) {
    const int m = c.setup.passes == 3 ? c.pass : 1;
    if (c.setup.pattern < kRings)
        LineLayout(c, m);
    else
        RingLayout(c, m);
}
