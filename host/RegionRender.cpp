#include "host/RegionRender.h"

#include "host/ColorSuite.h"
#include "host/PageMemory.h"
#include "host/PassPixels.h"
#include "host/RenderThreads.h"

namespace {

// Page allocations of one render, released whatever happens.
struct PassBuffers {
    void* copy = nullptr;  // the source window, `planes` samples per pixel
    size_t copyBytes = 0;
    EngraveScratch scratch{nullptr, nullptr};
    size_t subpixelBytes = 0, coverageBytes = 0;

    PassBuffers() = default;
    PassBuffers(const PassBuffers&) = delete;
    PassBuffers& operator=(const PassBuffers&) = delete;
    ~PassBuffers() {
        PageFree(copy, copyBytes);
        PageFree(scratch.subpixels, subpixelBytes);
        PageFree(scratch.coverage, coverageBytes);
    }
};

// Progress of one region mapped onto the whole image.
struct RegionProgress {
    ProgressSink sink;
    float base;   // fraction of the image above the region
    float share;  // fraction of the image in the region
};

void ReportProgress(void* context, float done, float total) {
    const RegionProgress* p = static_cast<const RegionProgress*>(context);
    if (p->base == 0.0f && p->share == 1.0f)
        UpdateProgress(p->sink, done, total);
    else
        UpdateProgress(p->sink, p->base * total + p->share * done, total);
}

bool AllocateBuffers(const PassLayout& layout, bool antialiased, PassBuffers* buffers) {
    buffers->copyBytes = size_t(layout.windowWidth) * layout.windowHeight * layout.planes * layout.bytesPerSample;
    buffers->copy = PageAlloc(buffers->copyBytes);
    if (!buffers->copy) return false;
    if (!antialiased) return true;
    buffers->subpixelBytes = SubpixelRasterBytes(layout.region.width, layout.region.height);
    buffers->coverageBytes = CoverageRasterBytes(layout.region.width, layout.region.height);
    buffers->scratch.subpixels = static_cast<uint8_t*>(PageAlloc(buffers->subpixelBytes));
    buffers->scratch.coverage = static_cast<uint8_t*>(PageAlloc(buffers->coverageBytes));
    return buffers->scratch.subpixels && buffers->scratch.coverage;
}

}  // namespace

OSErr RenderRegion(const EngraveSettings& settings, const PassLayout& layout, const ProgressSink& progress,
                   bool wholeImageProgress) {
    PassBuffers owned;
    PassBuffers* buffers = &owned;
    // Without the host's colour suite a CMYK image cannot be engraved: stop
    // rather than engrave a black copy.
    const PSColorSpaceSuite1* suite = nullptr;
    if (layout.cmyk && !(suite = AcquireColorSuite(layout.basicSuite))) return errPlugInHostInsufficient;
    if (!AllocateBuffers(layout, settings.noAntialias == 0, buffers)) {
        if (suite) ReleaseColorSuite(layout.basicSuite);
        return memFullErr;
    }
    const bool copied = FillSourceCopy(layout, buffers->copy, suite);
    if (suite) ReleaseColorSuite(layout.basicSuite);
    if (!copied) return errPlugInHostInsufficient;

    EngraveImage image{};
    image.planes = layout.planes;
    image.depth = layout.depth;
    image.cmykConverted = layout.cmyk;
    image.source = SampleWindow{buffers->copy, layout.windowWidth * layout.planes, layout.windowLeft,
                                layout.windowTop, layout.windowWidth, layout.windowHeight};
    image.out = layout.out;
    image.outRowStride = int32_t(layout.outStride);

    const EngraveRegion& region = layout.region;
    RegionProgress mapped{progress, 0.0f, 1.0f};
    if (wholeImageProgress && region.imageHeight > 0 && region.height < region.imageHeight) {
        mapped.base = float(region.top) / float(region.imageHeight);
        mapped.share = float(region.height) / float(region.imageHeight);
    }
    RenderOptions options;
    options.threads = RenderThreadsFromEnvironment();  // 0: one per processor
    // Only this thread reports progress; the engine's workers never call the host.
    EngraveRender(settings, region, image, layout.mask, options, buffers->scratch,
                  EngraveProgress{&ReportProgress, &mapped});
    return noErr;
}

bool ConvertRegionToCmyk(const PassLayout& layout) {
    const PSColorSpaceSuite1* suite = AcquireColorSuite(layout.basicSuite);
    const bool converted = suite && ConvertOutputToCmyk(layout, suite);
    if (suite) ReleaseColorSuite(layout.basicSuite);
    return converted;
}
