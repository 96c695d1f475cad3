// One ring, or one turn of the spiral, walked by angle: one raster unit of
// arc per step (finer for strong waves, coarser for dots). Samples whose
// ink cannot reach the region take a cheap path that consumes exactly the
// random numbers of the full path; a whole ring that stays clear of the
// region is only counted.
#include "engine/DeterministicTrig.h"
#include "engine/FloatWalk.h"
#include "engine/Sampling.h"
#include "engine/StrokeWidth.h"
#include "engine/Walkers.h"
#include "engine/WaveOffset.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kInvTwoPi = 0.15915494309189535;

double Abs(double x) { return x < 0 ? -x : x; }

struct Box {
    double x0, y0, x1, y1;
};

double NearestDistance(double x, double y, const Box& b) {
    double dx = x < b.x0 ? b.x0 - x : (x > b.x1 ? x - b.x1 : 0.0);
    double dy = y < b.y0 ? b.y0 - y : (y > b.y1 ? y - b.y1 : 0.0);
    return std::sqrt(dx * dx + dy * dy);
}

double FarthestDistance(double x, double y, const Box& b) {
    double dx = Abs(x - b.x0) > Abs(x - b.x1) ? Abs(x - b.x0) : Abs(x - b.x1);
    double dy = Abs(y - b.y0) > Abs(y - b.y1) ? Abs(y - b.y0) : Abs(y - b.y1);
    return std::sqrt(dx * dx + dy * dy);
}

// Whether the annulus rMin..rMax around (x, y) misses the box.
bool AnnulusMisses(double x, double y, double rMin, double rMax, const Box& b) {
    return NearestDistance(x, y, b) > rMax || FarthestDistance(x, y, b) < rMin;
}

bool AnnulusInside(double x, double y, double rMax, const Box& b) {
    return x - rMax >= b.x0 && x + rMax <= b.x1 && y - rMax >= b.y0 && y + rMax <= b.y1;
}

// The spiral's radius at angle phi: it shrinks by pitch over the turn.
float SpiralRadius(float radius, float pitch, float phi) {
    return float(double(radius) - double(phi) * kInvTwoPi * double(pitch));
}

// The longest stretch of at most `limit` angle steps that adds the same
// amount at every step, stays below a full turn before its last step and,
// on a spiral, keeps the radius on one side of 0 (it only shrinks, so the
// stretch's first and last angles decide); 0 or 1 when the next step has
// to be taken on its own.
uint64_t AngleStretch(uint64_t limit, float phi, float dphi, bool isSpiral, float radius, float pitch, float* delta) {
    uint64_t k = UniformAdditions(phi, dphi, delta);
    if (k > limit) k = limit;
    if (k < 2 || !(*delta > 0.0f)) return 0;
    const uint64_t below = StepsBelow(phi, *delta, kTwoPi) + 1;
    if (below < k) k = below;
    if (k > 1 && isSpiral) {
        const float last = float(double(phi) + double(k - 1) * double(*delta));
        if ((SpiralRadius(radius, pitch, phi) >= 0.0f) != (SpiralRadius(radius, pitch, last) >= 0.0f)) return 0;
    }
    return k;
}

// A sample's position along the wave: the angle, or for waves along the
// path the arc length (rings) or the spiral's own measure.
float WavePosition(int waveKind, bool isSpiral, bool antialiased, float R, float phi) {
    if (waveKind < 3) return phi;
    if (isSpiral) return float(double(R) * double(R) * 0.5 * (antialiased ? 0.25 : 1.0));
    return float(double(R) * double(phi));
}

// Sine and cosine of the angle, and the wave's sine, at the next samples
// of the walk, computed in one go so that their independent chains overlap.
struct RingTrig {
    static constexpr int kAhead = 16;
    uint64_t first = 0;  // sample number of entry 0
    int count = 0;
    float cosine[kAhead], sine[kAhead];
    double wave[kAhead];

    bool Holds(uint64_t sample) const { return sample >= first && sample - first < uint64_t(count); }

    void Fill(uint64_t sample, float phi, float dphi, const EngraveSetup& st, bool isSpiral, float radius, float pitch,
              int waveKind, float F) {
        float angle[kAhead];
        double argument[kAhead];
        first = sample;
        count = 0;
        for (;;) {
            const float R = isSpiral ? SpiralRadius(radius, pitch, phi) : radius;
            angle[count] = float(double(phi) + double(st.theta));
            argument[count] = WaveArgument(WavePosition(waveKind, isSpiral, st.antialiased, R, phi), F, st.P);
            ++count;
            const float next = phi + dphi;
            if (count == kAhead || !(next > phi) || !(double(next) < kTwoPi)) break;
            phi = next;
        }
        DeterministicSinesAndCosines(angle, sine, cosine, count);
        if (waveKind != 0) DeterministicSines(argument, wave, count);
    }
};

}  // namespace

void DrawRingStroke(RenderContext& c, bool isSpiral, float pitch, float radius, int waveKind, float F) {
    const EngraveSetup& st = c.setup;
    if (!(radius > 0)) return;
    float Rp = radius;
    if (st.Rf > 15.0f && c.densify) Rp = float(double(st.RfDensify) * double(0.06666667f) * double(radius));
    // A vanishing radius would overflow the step; any step beyond 1e6 radians
    // draws the single sample at phi = 0 all the same.
    double step = 1.0 / double(Rp);
    float dphi = float(step < 1e6 ? step : 1e6);
    // At most sixteen samples per raster unit of arc, whatever the settings.
    const float dphiMin = dphi * 0.0625f;
    if (waveKind != 0 && st.A > 1.0f) dphi = st.A < 4.0f ? float(double(dphi) / double(st.A)) : float(double(dphi) * 0.25);
    float We = st.Wd;
    const bool dots = st.useCircles;
    if (dots) {
        We = float(double(st.Wd) * 5.0);
        dphi = float(double(dphi) * double(We));
    }
    if (!(dphi > 0.0f)) return;
    if (dphi < dphiMin) dphi = dphiMin;

    const float Wmax = float(double(st.T) + double(We));
    const double unit = c.frame.unit;
    const double cx = st.cx, cy = st.cy;

    // Culling in raster units: the sampling pixel must lie within Wmax pixels of
    // the frame. Its distance from base / unit is at most shift / unit + 1.5.
    const double margin = (double(c.reach.shift) / unit + 2.0) * unit;
    const double lo = -double(Wmax) * unit, hiX = (double(c.frame.width) + Wmax) * unit,
                 hiY = (double(c.frame.height) + Wmax) * unit;
    const Box keep{lo + margin, lo + margin, hiX - margin, hiY - margin};
    const Box kept{lo - margin, lo - margin, hiX + margin, hiY + margin};
    const Box nearBox{c.nearX0, c.nearY0, c.nearX1, c.nearY1};

    const uint64_t waveDraws = waveKind != 0 ? 1 : 0;
    const double rOuter = double(radius) + 2.0, rInner = isSpiral ? double(radius) - double(pitch) - 2.0 : double(radius) - 2.0;

    // A ring clear of the region: only count its samples, when the count of
    // relief numbers does not depend on where each sample lands.
    if (AnnulusMisses(cx, cy, rInner, rOuter, nearBox)) {
        int reliefPerSample = -1;  // unknown
        if (!c.reliefActive)
            reliefPerSample = 0;
        else if (!c.hasMask && AnnulusInside(cx, cy, rOuter, keep))
            reliefPerSample = 1;
        else if (!c.hasMask && AnnulusMisses(cx, cy, rInner, rOuter, kept))
            reliefPerSample = 0;
        if (reliefPerSample >= 0) {
            uint64_t n = 0;
            for (float phi = 0.0f; double(phi) < kTwoPi;) {
                float delta;
                const uint64_t k = c.fast ? AngleStretch(kEndless, phi, dphi, isSpiral, radius, pitch, &delta) : 0;
                if (k > 1) {
                    if (!isSpiral || SpiralRadius(radius, pitch, phi) >= 0.0f) n += k;
                    phi = float(double(phi) + double(k) * double(delta));  // exact (see FloatWalk.h)
                    continue;
                }
                if (!isSpiral || SpiralRadius(radius, pitch, phi) >= 0.0f) ++n;
                float next = phi + dphi;
                if (!(next > phi)) break;
                phi = next;
            }
            LcgSkip(&c.rng, n * (waveDraws + uint64_t(reliefPerSample)));
            return;
        }
    }

    // A far sample's base point moves at most `travel` per step, so when it is
    // clear of the region (and of the culling boundary, where that matters)
    // by D, the next D / travel samples are far too and draw the same count
    // of numbers: they are only counted, without their sine and cosine.
    // One float step of phi is dphi plus at most half an ulp of 2 pi; the angle
    // a = phi + theta is rounded afresh each time (by at most half an ulp of a).
    const double reach = Abs(double(radius)) + (isSpiral ? Abs(double(pitch)) * kInvTwoPi : 0.0);
    const double travel = reach * (double(dphi) * 1.001 + 4.8e-7) + 1e-9;
    const double angleError = (Abs(double(st.theta)) + 8.0) * 1.2e-7;
    const double wobble = 4.0 + (Abs(double(radius)) + Abs(cx) + Abs(cy)) * 1e-5 + 2.0 * reach * angleError;
    uint64_t freeRun = 0, freeDraws = 0;
    uint64_t sample = 0;  // the walk's sample number
    RingTrig trig;

    for (float phi = 0.0f; double(phi) < kTwoPi; ++sample) {
        if (freeRun > 1) {
            float delta;
            const uint64_t k = AngleStretch(freeRun, phi, dphi, isSpiral, radius, pitch, &delta);
            if (k > 1) {
                freeRun -= k;
                if (!isSpiral || SpiralRadius(radius, pitch, phi) >= 0.0f) LcgSkip(&c.rng, k * freeDraws);
                phi = float(double(phi) + double(k) * double(delta));
                sample += k - 1;
                continue;
            }
        }
        float R = radius;
        if (isSpiral) R = SpiralRadius(radius, pitch, phi);
        if (freeRun > 0) {
            --freeRun;
            if (R >= 0.0f) LcgSkip(&c.rng, freeDraws);
        } else if (R >= 0.0f) {
            float ca, sa;
            if (c.fast) {
                if (!trig.Holds(sample)) trig.Fill(sample, phi, dphi, st, isSpiral, radius, pitch, waveKind, F);
                ca = trig.cosine[sample - trig.first], sa = trig.sine[sample - trig.first];
            } else {
                const float a = float(double(phi) + double(st.theta));
                ca = float(DeterministicCos(a)), sa = float(DeterministicSin(a));
            }
            float px = float(cx + double(ca) * double(R)), py = float(cy + double(sa) * double(R));
            const bool far = BaseIsFar(c, px, py);
            bool geometry = !far;
            // Clearance of the base point from the region, and from the culling boundary.
            double clear = far ? NearestDistance(px, py, nearBox) : 0.0;
            if (far && c.reliefActive) {
                if (c.hasMask) {
                    geometry = true;
                } else if (px >= keep.x0 && px <= keep.x1 && py >= keep.y0 && py <= keep.y1) {
                    LcgSkip(&c.rng, waveDraws + 1);
                    double inside = std::fmin(std::fmin(px - keep.x0, keep.x1 - px), std::fmin(py - keep.y0, keep.y1 - py));
                    clear = std::fmin(clear, inside);
                    freeDraws = waveDraws + 1;
                } else if (!(px >= kept.x0 && px <= kept.x1 && py >= kept.y0 && py <= kept.y1)) {
                    LcgSkip(&c.rng, waveDraws);
                    clear = std::fmin(clear, NearestDistance(px, py, kept));
                    freeDraws = waveDraws;
                } else {
                    geometry = true;
                }
            } else if (far) {
                LcgSkip(&c.rng, waveDraws);
                freeDraws = waveDraws;
            }
            if (far && !geometry && clear > wobble) {
                double run = (clear - wobble) / travel;
                freeRun = run < 1e15 ? uint64_t(run) : uint64_t(1e15);
            }
            if (geometry) {
                if (dots) {
                    px = float(double(px) + double(ca) * double(We) * 0.5);
                    py = float(double(py) + double(sa) * double(We) * 0.5);
                }
                if (waveKind != 0) {
                    const int kind = waveKind >= 3 ? waveKind - 2 : waveKind;
                    const float w = c.fast ? WaveOffsetFromSine(c, trig.wave[sample - trig.first], kind, st.A)
                                           : WaveOffset(c, WavePosition(waveKind, isSpiral, st.antialiased, R, phi),
                                                        kind, st.A, F, st.P);
                    if (w != 0.0f) {
                        px = float(double(px) + double(ca) * double(w));
                        py = float(double(py) + double(sa) * double(w));
                    }
                }
                int ix = SamplingCoordinate(c, px), iy = SamplingCoordinate(c, py);
                bool culled = double(ix) < -double(Wmax) || double(iy) < -double(Wmax) ||
                              double(ix) >= double(c.frame.width) + double(Wmax) ||
                              double(iy) >= double(c.frame.height) + double(Wmax);
                if (!culled && (!c.hasMask || MaskAllows(c, ix, iy))) {
                    if (far) {
                        LcgSkip(&c.rng, 1);  // the relief number (reliefActive here)
                    } else {
                        float r = StrokeWidthAt(c, Wmax, &px, &py, ix, iy, ca, sa);
                        StampDisc(dots, r, TruncCoordinate(px), TruncCoordinate(py), c.target);
                    }
                }
            }
        }
        float next = phi + dphi;
        if (!(next > phi)) break;  // the angle can no longer advance in float
        phi = next;
    }
}
