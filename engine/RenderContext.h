// Everything one render shares between the layouts, the walkers, the
// sampler and the stamp: the derived values, the frame, the buffers, the
// random generator and the pass. Passed explicitly instead of living in
// process-wide variables.
#pragma once

#include "engine/Engrave.h"
#include "engine/EngraveSetup.h"
#include "engine/LayoutFrame.h"
#include "engine/Lcg.h"
#include "engine/StrokeTarget.h"

// How far from a sample's base point (the walk position before dots, waves
// and relief move it) its effects can land, in frame raster units.
struct StrokeReach {
    float shift;   // dot offset plus wave displacement: where culling and the mask look
    float relief;  // relief displacement
    float stamp;   // shift + relief + brush radius + rounding slack: where ink can land
    float sample;  // where intensity can be read
};

// The tone of the pixel the last sample read (fast render; cleared with
// each pass, whose colour channel it depends on).
struct ToneMemo {
    int x = 0, y = 0;
    float tone = 0.0f;
    bool valid = false;
};

struct RenderContext {
    EngraveSetup setup;
    LayoutFrame frame;
    StrokeTarget target;
    SampleWindow source;
    MaskView mask;
    bool hasMask;
    int planes;
    bool is16;
    bool densify;       // relief densification (RenderOptions::densifyRelief)
    bool reliefActive;  // Rf != 0 or Nz != 0: every surviving sample draws a relief number
    bool fast;          // the fast render's shortcuts; off in the reference render
    Lcg rng;
    EngraveProgress progress;
    int pass;
    StrokeReach reach;
    ToneMemo lastTone;
    // The region grown by reach.stamp: samples based outside it cannot ink the region.
    double nearX0, nearY0, nearX1, nearY1;
};

StrokeReach ComputeStrokeReach(const EngraveSetup& setup, const LayoutFrame& frame);

// Fills the context for one render (pass 0, generator seeded); false when the
// inputs cannot be rendered safely (bad sizes, missing buffers, a source
// window that does not cover the region).
bool InitRenderContext(RenderContext* c, const EngraveSettings& settings, const EngraveRegion& region,
                       const EngraveImage& image, const MaskView& mask, const RenderOptions& options,
                       const EngraveScratch& scratch, const EngraveProgress& progress);

// One band of a render, the fast way or the reference way.
void RenderBand(const EngraveSettings& settings, const EngraveRegion& region, const EngraveImage& image,
                const MaskView& mask, const RenderOptions& options, const EngraveScratch& scratch,
                const EngraveProgress& progress, bool fast);

inline bool BaseIsFar(const RenderContext& c, double x, double y) {
    return !(x >= c.nearX0 && x <= c.nearX1 && y >= c.nearY0 && y <= c.nearY1);  // NaN counts as far
}

inline void ReportProgress(const RenderContext& c, float done, float total) {
    if (c.progress.report) c.progress.report(c.progress.context, done, total);
}
