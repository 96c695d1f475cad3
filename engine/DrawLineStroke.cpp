// A straight stroke. Samples whose ink cannot reach the region take a cheap
// path that consumes exactly the random numbers the full path would (a
// wave number, then a relief number for samples the mask lets through)
// without reading the picture or stamping; without a mask their count is
// known, so the generator just jumps ahead.
#include "engine/DeterministicTrig.h"
#include "engine/FloatWalk.h"
#include "engine/Sampling.h"
#include "engine/StrokeWidth.h"
#include "engine/Walkers.h"
#include "engine/WaveOffset.h"

#include <cmath>

namespace {

double Sqrt(double x) { return std::sqrt(x); }  // correctly rounded on every platform

// The wave's path position: the distance of (x, y) from the line's reference point.
float WaveDistance(float x, float y, float refX, float refY) {
    return float(Sqrt((double(x) - refX) * (double(x) - refX) + (double(y) - refY) * (double(y) - refY)));
}

double Min(double a, double b) { return a < b ? a : b; }
double Max(double a, double b) { return a > b ? a : b; }

// Number of samples s = 0, step, 2 step, ... below length, as the walk
// counts them; the reference render counts them one by one.
uint64_t CountSteps(float step, float length, bool fast) {
    uint64_t n = 0;
    for (float s = 0; s < length;) {
        float ds;
        const uint64_t uniform = fast ? UniformAdditions(s, step, &ds) : 0;
        if (uniform > 1 && ds > 0.0f) {
            uint64_t k = StepsBelow(s, ds, length) + 1;  // s itself and the later ones below length
            if (k > uniform) k = uniform;
            n += k;
            s = float(double(s) + double(k) * double(ds));
            continue;
        }
        ++n;
        float next = s + step;
        if (!(next > s)) return n;
        s = next;
    }
    return n;
}

// The longest stretch of at most `limit` walk steps that adds the same
// amount to s, x and y at every step and keeps s below Lp before its last
// step; 0 or 1 when the next step has to be taken on its own.
uint64_t UniformStretch(uint64_t limit, float s, float step, float Lp, float x, float ux, float y, float uy,
                        float* ds, float* dx, float* dy) {
    uint64_t k = limit;
    const uint64_t forS = UniformAdditions(s, step, ds);
    if (forS < k) k = forS;
    if (k < 2 || !(*ds > 0.0f)) return 0;
    const uint64_t forX = UniformAdditions(x, ux, dx);
    if (forX < k) k = forX;
    const uint64_t forY = UniformAdditions(y, uy, dy);
    if (forY < k) k = forY;
    const uint64_t below = StepsBelow(s, *ds, Lp) + 1;
    return below < k ? below : k;
}

// The wave's sines at the next samples of the walk, computed in one go:
// the chains of independent sines overlap in the processor, where one sine
// per sample waits for its own chain.
struct LineSines {
    static constexpr int kAhead = 16;
    uint64_t first = 0;  // sample number of sine[0]
    int count = 0;
    double sine[kAhead];

    bool Holds(uint64_t sample) const { return sample >= first && sample - first < uint64_t(count); }

    // From sample number `sample` at (x, y), path position s, as the walk goes on.
    void Fill(uint64_t sample, float x, float y, float s, float ux, float uy, float step, float Lp, float refX,
              float refY, float F, float P) {
        double argument[kAhead];
        first = sample;
        count = 0;
        for (;;) {
            argument[count++] = WaveArgument(WaveDistance(x, y, refX, refY), F, P);
            const float next = s + step;
            if (count == kAhead || !(next > s) || !(next < Lp)) break;
            s = next;
            x = x + ux;
            y = y + uy;
        }
        DeterministicSines(argument, sine, count);
    }
};

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
        const uint64_t n = CountSteps(step, Lp, c.fast);
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
        const double n = double(CountSteps(step, Lp, c.fast));
        const double reachAbs = Max(Max(std::fabs(double(x0)), std::fabs(double(x1))),
                                    Max(std::fabs(double(y0)), std::fabs(double(y1)))) * (1.0 + n * 1.2e-7) +
                                n * double(step) * 1.2e-7 + double(step) + 1.0;
        travel = std::fabs(double(ux)) + std::fabs(double(uy)) + reachAbs * 1.2e-7 + 1e-9;
    }
    uint64_t freeRun = 0, owed = 0;
    uint64_t sample = 0;  // the walk's sample number
    LineSines sines;

    float x = x0, y = y0, s = 0.0f;
    for (; s < Lp; ++sample) {
        if (freeRun > 1) {
            float ds, dx, dy;
            const uint64_t k = UniformStretch(freeRun, s, step, Lp, x, ux, y, uy, &ds, &dx, &dy);
            if (k > 1) {
                // k steps at once; each sum is exact (see FloatWalk.h).
                freeRun -= k;
                owed += k * farDraws;
                sample += k - 1;
                s = float(double(s) + double(k) * double(ds));
                x = float(double(x) + double(k) * double(dx));
                y = float(double(y) + double(k) * double(dy));
                continue;
            }
        }
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
                float w;
                if (c.fast) {
                    if (!sines.Holds(sample)) sines.Fill(sample, x, y, s, ux, uy, step, Lp, refX, refY, F, st.P);
                    w = WaveOffsetFromSine(c, sines.sine[sample - sines.first], waveKind, st.A);
                } else {
                    w = WaveOffset(c, WaveDistance(x, y, refX, refY), waveKind, st.A, F, st.P);
                }
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
