// A straight stroke. Samples whose ink cannot reach the region take a cheap
// path that consumes exactly the random numbers the full path would (a
// wave number, then a relief number for samples the mask lets through)
// without reading the picture or stamping; without a mask their count is
// known, so the generator just jumps ahead.
#include "engine/DeterministicTrig.h"
#include "engine/Sampling.h"
#include "engine/StrokeWidth.h"
#include "engine/Walkers.h"
#include "engine/WaveOffset.h"

#include <cmath>

namespace {

double Sqrt(double x) { return std::sqrt(x); }  // correctly rounded on every platform

double Min(double a, double b) { return a < b ? a : b; }
double Max(double a, double b) { return a > b ? a : b; }

// Number of samples s = 0, step, 2 step, ... below length, as the walk counts them.
uint64_t CountSteps(float step, float length) {
    if (step == 1.0f && length <= 16777216.0f) {
        // Whole numbers are exact in float up to 2^24: the samples are 0, 1, ..., ceil(length) - 1.
        uint64_t n = uint64_t(length);
        return float(n) < length ? n + 1 : n;
    }
    uint64_t n = 0;
    for (float s = 0; s < length; ++n) {
        float next = s + step;
        if (!(next > s)) return n + 1;
        s = next;
    }
    return n;
}

}  // namespace

void DrawLineStroke(RenderContext& c, int waveKind, float F, float x0, float y0, float x1, float y1, float refX,
                    float refY) {
    const EngraveSetup& st = c.setup;
    float dx = x1 - x0, dy = y1 - y0;
    float L = float(Sqrt(double(dx) * dx + double(dy) * dy));
    if (!(L > 0)) return;
    // Strong relief scatters the samples: walk more densely (not in the preview).
    float Lp = L;
    if (st.Rf > 15.0f && c.densify) Lp = float(double(st.RfDensify) * double(0.06666667f) * double(L));
    float ux = float(double(dx) / double(Lp)), uy = float(double(dy) / double(Lp));
    float step = 1.0f, offX = 0.0f, offY = 0.0f;
    float We = st.Wd;
    const bool dots = st.useCircles;
    if (dots) {
        We = float(double(st.Wd) * 5.0);
        // Dots sit one dot width apart; never closer than one raster unit.
        float stepLen = We >= 1.0f ? We : 1.0f;
        ux = float(double(ux) * double(stepLen));
        uy = float(double(uy) * double(stepLen));
        step = stepLen;
        offX = float(double(st.cosTheta) * double(We) * 0.5);
        offY = float(double(st.sinTheta) * double(We) * 0.5);
    }
    const float Wmax = float(double(st.T) + double(We));
    const uint64_t farDraws = (waveKind != 0 ? 1 : 0) + (c.reliefActive ? 1 : 0);
    // Only the mask can make a far sample's draw count depend on its position.
    const bool farNeedsGeometry = c.hasMask && c.reliefActive;

    if (!farNeedsGeometry) {
        // The walk accumulates its position in float: allow half an ulp per step of drift.
        const uint64_t n = CountSteps(step, Lp);
        double extent = Max(Max(std::fabs(double(x0)), std::fabs(double(x1))), Max(std::fabs(double(y0)), std::fabs(double(y1))));
        double pad = double(c.reach.stamp) + 2.0 * (double(step) + 1.0) + double(n) * (extent + double(step)) * 1.2e-7;
        if (Max(x0, x1) + pad < c.nearX0 || Min(x0, x1) - pad > c.nearX1 || Max(y0, y1) + pad < c.nearY0 ||
            Min(y0, y1) - pad > c.nearY1) {
            LcgSkip(&c.rng, n * farDraws);
            return;
        }
    }

    // Fast render: a far sample clear of the region by D is followed by at
    // least D / travel more far samples, which are only counted. The base
    // point moves by (ux, uy) per step plus the float rounding of the sum.
    const bool runs = c.fast && !farNeedsGeometry;
    double travel = 0.0;
    if (runs) {
        const double n = double(CountSteps(step, Lp));
        const double reachAbs = Max(Max(std::fabs(double(x0)), std::fabs(double(x1))),
                                    Max(std::fabs(double(y0)), std::fabs(double(y1)))) * (1.0 + n * 1.2e-7) +
                                n * double(step) * 1.2e-7 + double(step) + 1.0;
        travel = std::fabs(double(ux)) + std::fabs(double(uy)) + reachAbs * 1.2e-7 + 1e-9;
    }
    uint64_t freeRun = 0, owed = 0;

    float x = x0, y = y0, s = 0.0f;
    while (s < Lp) {
        if (freeRun > 0) {
            --freeRun;
            owed += farDraws;
            float next = s + step;
            if (!(next > s)) break;
            s = next;
            x = x + ux;
            y = y + uy;
            continue;
        }
        if (owed) {
            LcgSkip(&c.rng, owed);
            owed = 0;
        }
        const bool far = BaseIsFar(c, x, y);
        if (far && !farNeedsGeometry) {
            LcgSkip(&c.rng, farDraws);
            if (runs) {
                const double clear = Max(Max(c.nearX0 - x, double(x) - c.nearX1), Max(c.nearY0 - y, double(y) - c.nearY1));
                const double run = clear / travel - 1.0;
                if (run > 0) freeRun = run < 1e15 ? uint64_t(run) : uint64_t(1e15);
            }
        } else {
            float px = x + offX, py = y + offY;
            if (waveKind != 0) {
                float dist = float(Sqrt((double(x) - refX) * (double(x) - refX) + (double(y) - refY) * (double(y) - refY)));
                float w = WaveOffset(c, dist, waveKind, st.A, F, st.P);
                if (w != 0.0f) {
                    px = float(double(px) + double(st.sinTheta) * double(w));
                    py = float(double(py) - double(st.cosTheta) * double(w));
                }
            }
            int ix = SamplingCoordinate(c, px), iy = SamplingCoordinate(c, py);
            if (!c.hasMask || MaskAllows(c, ix, iy)) {
                if (far) {
                    LcgSkip(&c.rng, 1);  // the relief number (reliefActive here)
                } else {
                    float r = StrokeWidthAt(c, Wmax, &px, &py, ix, iy, st.sinTheta, -st.cosTheta);
                    StampDisc(dots, r, TruncCoordinate(px), TruncCoordinate(py), c.target);
                }
            }
        }
        float next = s + step;
        if (!(next > s)) break;  // the walk can no longer advance in float
        s = next;
        x = x + ux;
        y = y + uy;
    }
    LcgSkip(&c.rng, owed);
}
