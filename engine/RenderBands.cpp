// The render split into horizontal bands, one thread each. Every region of
// an image shows its part of one engraving, so the bands together give
// exactly the pixels of the region rendered in one piece; each band works
// in its own rows of the caller's rasters and output, so the threads share
// nothing they write.
#include <thread>

#include "engine/CoverageRaster.h"
#include "engine/RenderContext.h"

namespace {

// Below this many rows a band's own walk over all the strokes costs more
// than the rows it saves.
constexpr int kMinBandRows = 48;
constexpr int kMaxThreads = 64;

struct Band {
    EngraveRegion region;
    EngraveImage image;
    EngraveScratch scratch;
};

Band MakeBand(const EngraveRegion& whole, const EngraveImage& image, const EngraveScratch& scratch, int firstRow,
              int rows, bool antialiased) {
    Band b{whole, image, scratch};
    b.region.top = whole.top + firstRow;
    b.region.height = rows;
    const size_t sampleBytes = image.depth == 16 ? 2 : 1;
    b.image.out = static_cast<uint8_t*>(image.out) + size_t(firstRow) * size_t(image.outRowStride) * sampleBytes;
    if (antialiased) {
        const size_t rowBytes = (size_t(whole.width) + 1) / 2;
        b.scratch.subpixels = scratch.subpixels + size_t(4) * size_t(firstRow) * rowBytes;
        b.scratch.coverage = scratch.coverage + size_t(firstRow) * rowBytes;
    }
    return b;
}

}  // namespace

int EngraveMachineThreads() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : (n > unsigned(kMaxThreads) ? kMaxThreads : int(n));
}

void EngraveRender(const EngraveSettings& settings, const EngraveRegion& region, const EngraveImage& image,
                   const MaskView& mask, const RenderOptions& options, const EngraveScratch& scratch,
                   const EngraveProgress& progress) {
    // Refuse what the engine cannot render before splitting anything.
    RenderContext check;
    if (!InitRenderContext(&check, settings, region, image, mask, options, scratch, progress)) return;
    int threads = options.threads <= 0 ? EngraveMachineThreads() : options.threads;
    if (threads > kMaxThreads) threads = kMaxThreads;
    int bands = region.height / kMinBandRows;
    if (bands > threads) bands = threads;
    // Every band walks the strokes across the whole width of the image; in a
    // narrow region (the dialog's preview pane) that walk, not the drawing,
    // is most of the work, and splitting would repeat it for little gain.
    if (int64_t(region.width) * 2 < int64_t(region.imageWidth)) bands = 1;
    if (bands <= 1) {
        RenderBand(settings, region, image, mask, options, scratch, progress, true);
        return;
    }

    const bool antialiased = check.target.antialiased;
    Band parts[kMaxThreads];
    for (int i = 0; i < bands; ++i) {
        const int top = int(int64_t(region.height) * i / bands), bottom = int(int64_t(region.height) * (i + 1) / bands);
        parts[i] = MakeBand(region, image, scratch, top, bottom - top, antialiased);
    }
    // Workers never report progress: the host's callbacks belong to its thread.
    std::thread workers[kMaxThreads];
    bool started[kMaxThreads] = {};
    for (int i = 1; i < bands; ++i) {
        const Band* b = &parts[i];
        try {
            workers[i] = std::thread([&settings, &mask, &options, b] {
                RenderBand(settings, b->region, b->image, mask, options, b->scratch, EngraveProgress{}, true);
            });
            started[i] = true;
        } catch (...) {
            // No thread to be had: this thread renders the band itself below.
        }
    }
    RenderBand(settings, parts[0].region, parts[0].image, mask, options, parts[0].scratch, progress, true);
    for (int i = 1; i < bands; ++i)
        if (!started[i])
            RenderBand(settings, parts[i].region, parts[i].image, mask, options, parts[i].scratch, EngraveProgress{},
                       true);
    for (int i = 1; i < bands; ++i)
        if (started[i]) workers[i].join();
}
