// Bounds on how far a sample's ink and intensity reads can land from its
// base point. They let a region skip the full work for samples that cannot
// touch it, and tell the host how many rows beyond a region to deliver.
#include "engine/Brush.h"
#include "engine/RenderContext.h"
#include "engine/Truncate.h"

namespace {

double Abs(double x) { return x < 0 ? -x : x; }

bool Waved(int pattern) { return PatternIsWaved(pattern); }

}  // namespace

StrokeReach ComputeStrokeReach(const EngraveSetup& s, const LayoutFrame& frame) {
    const double we = s.useCircles ? Abs(double(s.Wd) * 5.0) : Abs(double(s.Wd));
    const double dotShift = s.useCircles ? we * 0.5 : 0.0;
    const double noise = 0.25 * Abs(s.Nz);
    const double wave = Waved(s.pattern) ? Abs(s.A) + noise : 0.0;
    // Sampled intensity is 0..255, so s lies in [0, 1.0000001] and |v| <= 0.5000001 |1 + Kc|.
    const double vMax = 0.5000001 * Abs(1.0 + double(s.Kc));
    const double relief = (s.Rf != 0 || s.Nz != 0) ? noise + vMax * Abs(s.Rf) : 0.0;
    double rMax = (vMax + 0.5) * (Abs(s.T) + we);
    if (s.notBreak && rMax < 1.0) rMax = 1.0;
    const double brush = rMax > 2.0 ? double(BrushRadius(float(rMax)) + 1) : 0.0;
    // Positions are floats: allow for their rounding, relative to the frame's coordinates.
    double extent = Abs(frame.rasterWidth) + Abs(frame.rasterHeight) + Abs(s.cx) + Abs(s.cy);
    const double slack = 4.0 + extent * 1e-5;

    StrokeReach r;
    r.shift = float(dotShift + wave + slack);
    r.relief = float(relief);
    r.stamp = float(dotShift + wave + relief + brush + 2 * slack);
    r.sample = float(double(r.stamp) + dotShift + wave + relief + slack);
    return r;
}
