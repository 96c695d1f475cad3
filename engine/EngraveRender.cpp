// The engine's entry: one render of one region, from the settings to the
// composited output pixels.
#include <cstring>
#include <memory>
#include <new>

#include "engine/CoverageRaster.h"
#include "engine/DrawPatternPass.h"
#include "engine/Engrave.h"
#include "engine/PendingRuns.h"
#include "engine/RenderContext.h"

namespace {

// Sizes beyond this (pixels per side) are refused: raster coordinates must
// stay far inside 32-bit integers.
constexpr int kMaxImageSide = 1 << 26;

bool RegionIsValid(const EngraveRegion& r) {
    return r.width > 0 && r.height > 0 && r.left >= 0 && r.top >= 0 && r.imageWidth <= kMaxImageSide &&
           r.imageHeight <= kMaxImageSide && r.left <= r.imageWidth - r.width && r.top <= r.imageHeight - r.height;
}

bool WindowCovers(const SampleWindow& w, const EngraveRegion& r, int planes) {
    return w.data && w.rowStride >= int64_t(w.width) * planes && w.left <= r.left && w.top <= r.top &&
           int64_t(w.left) + w.width >= int64_t(r.left) + r.width &&
           int64_t(w.top) + w.height >= int64_t(r.top) + r.height;
}

}  // namespace

size_t SubpixelRasterBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return size_t(4) * size_t(height) * ((size_t(width) + 1) / 2);
}

size_t CoverageRasterBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return size_t(height) * ((size_t(width) + 1) / 2);
}

int EngraveReach(const EngraveSettings& settings, int imageWidth, int imageHeight) {
    if (imageHeight <= 0 || imageWidth <= 0 || imageWidth > kMaxImageSide || imageHeight > kMaxImageSide) return 0;
    const bool antialiased = settings.noAntialias == 0;
    const EngraveRegion whole{imageWidth, imageHeight, 0, 0, imageWidth, imageHeight};
    LayoutFrame frame = MakeLayoutFrame(whole, antialiased);
    EngraveSetup setup = ComputeEngraveSetup(settings, frame);
    StrokeReach reach = ComputeStrokeReach(setup, frame);
    const int side = imageWidth > imageHeight ? imageWidth : imageHeight;
    double pixels = double(reach.sample) / frame.unit + 2.0;
    if (!(pixels < double(side))) return side;
    return int(pixels) + 1;
}

bool InitRenderContext(RenderContext* out, const EngraveSettings& settings, const EngraveRegion& region,
                       const EngraveImage& image, const MaskView& mask, const RenderOptions& options,
                       const EngraveScratch& scratch, const EngraveProgress& progress) {
    const bool antialiased = settings.noAntialias == 0;
    if (!RegionIsValid(region) || image.planes < 3 || !image.out ||
        image.outRowStride < int64_t(region.width) * image.planes)
        return false;
    if (!WindowCovers(image.source, region, image.planes)) return false;
    if (antialiased && (!scratch.subpixels || !scratch.coverage)) return false;

    RenderContext& c = *out;
    c = RenderContext{};
    c.frame = MakeLayoutFrame(region, antialiased);
    c.setup = ComputeEngraveSetup(settings, c.frame);
    c.reach = ComputeStrokeReach(c.setup, c.frame);
    c.nearX0 = double(c.frame.regionX0) - c.reach.stamp;
    c.nearY0 = double(c.frame.regionY0) - c.reach.stamp;
    c.nearX1 = double(c.frame.regionX1) + c.reach.stamp;
    c.nearY1 = double(c.frame.regionY1) + c.reach.stamp;
    c.source = image.source;
    c.mask = mask;
    c.hasMask = mask.data != nullptr;
    c.planes = image.planes;
    c.is16 = image.depth == 16;
    c.densify = options.densifyRelief;
    c.reliefActive = c.setup.Rf != 0.0f || c.setup.Nz != 0.0f;
    c.progress = progress;

    const SampleWindow& w = image.source;
    const size_t sampleBytes = c.is16 ? 2 : 1;
    const int64_t srcOffset = (int64_t(region.top - w.top) * w.rowStride + int64_t(region.left - w.left) * image.planes);
    PixelRegion& px = c.target.pixels;
    px.out = image.out;
    px.outStride = image.outRowStride;
    px.src = static_cast<const uint8_t*>(w.data) + srcOffset * int64_t(sampleBytes);
    px.srcStride = w.rowStride;
    px.width = region.width;
    px.height = region.height;
    px.planes = image.planes;
    px.is16 = c.is16;

    StrokeTarget& t = c.target;
    t.antialiased = antialiased;
    t.subpixels = antialiased ? scratch.subpixels : nullptr;
    t.rasterRowBytes = antialiased ? (region.width + 1) / 2 : 0;
    t.rasterRows = antialiased ? 4 * region.height : 0;
    t.switches = CompositeSwitches{c.setup.colorSchema, c.setup.invert, c.setup.fillAlpha, image.cmykConverted};
    t.stampOffsetX = c.frame.regionX0;
    t.stampOffsetY = c.frame.regionY0;

    c.pass = 0;
    t.channel = 0;
    LcgSeed(&c.rng, 0);
    return true;
}

void RenderBand(const EngraveSettings& settings, const EngraveRegion& region, const EngraveImage& image,
                const MaskView& mask, const RenderOptions& options, const EngraveScratch& scratch,
                const EngraveProgress& progress, bool fast) {
    RenderContext c;
    // A render the engine cannot do safely leaves the output untouched.
    if (!InitRenderContext(&c, settings, region, image, mask, options, scratch, progress)) return;
    StrokeTarget& t = c.target;
    StampMemo memo;
    c.fast = fast;
    t.lastStamp = fast ? &memo : nullptr;
    const bool antialiased = t.antialiased;
    std::unique_ptr<PendingRuns> runs;
    if (fast && antialiased) {
        runs.reset(new (std::nothrow) PendingRuns);
        if (runs) runs->subpixels = scratch.subpixels, runs->rowBytes = t.rasterRowBytes;
    }
    t.pendingRuns = runs.get();
    NibbleCountTable table;
    if (antialiased) BuildNibbleCountTable(&table);
    LcgSeed(&c.rng, 0);
    PreFillOutput(t.pixels, t.switches, antialiased);
    for (int pass = 0; pass < c.setup.passes; ++pass) {
        c.pass = pass;
        t.channel = pass;
        memo = StampMemo{};  // a new pass starts on a clear raster (or a new channel)
        c.lastTone = ToneMemo{};
        if (antialiased) std::memset(scratch.subpixels, 0, SubpixelRasterBytes(region.width, region.height));
        DrawPatternPass(c);
        if (runs) FlushPendingRuns(runs.get());
        if (antialiased) {
            ReduceCoverage(region.width, region.height, t.rasterRowBytes, scratch.subpixels, scratch.coverage, table);
            CompositeCoverage(t.pixels, scratch.coverage, t.rasterRowBytes, t.switches, pass);
        }
    }
}

void EngraveRenderReference(const EngraveSettings& settings, const EngraveRegion& region, const EngraveImage& image,
                            const MaskView& mask, const RenderOptions& options, const EngraveScratch& scratch,
                            const EngraveProgress& progress) {
    RenderBand(settings, region, image, mask, options, scratch, progress, false);
}
