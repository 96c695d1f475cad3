#include "host/RegionRender.h"

#include <cstdint>

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

// The host's input itself as the source window, when the engine can read
// it as it is: RGB with at most five samples per pixel (exactly what a copy
// would hold), in memory the output does not share. Saves a whole copy of
// the image. Null when a copy is needed.
const void* DirectSource(const PassLayout& L) {
    if (L.cmyk || L.planes > 5 || !L.in || L.inStride > INT32_MAX) return nullptr;
    const int64_t bytes = L.bytesPerSample;
    const uint8_t* first =
        L.in + (int64_t(L.windowTop - L.inTop) * L.inStride + int64_t(L.windowLeft - L.inLeft) * L.planes) * bytes;
    const uintptr_t inFirst = uintptr_t(first);
    const uintptr_t inEnd = inFirst + uintptr_t((int64_t(L.windowHeight - 1) * L.inStride +
                                                 int64_t(L.windowWidth) * L.planes) * bytes);
    const uintptr_t outFirst = uintptr_t(L.out);
    const uintptr_t outEnd = outFirst + uintptr_t((int64_t(L.region.height - 1) * L.outStride +
                                                   int64_t(L.region.width) * L.planes) * bytes);
    if (inFirst < outEnd && outFirst < inEnd) return nullptr;  // shared: the engine writes what it reads
    return first;
}

bool AllocateBuffers(const PassLayout& layout, bool antialiased, bool copy, PassBuffers* buffers) {
    if (copy) {
        buffers->copyBytes = size_t(layout.windowWidth) * layout.windowHeight * layout.planes * layout.bytesPerSample;
        buffers->copy = PageAlloc(buffers->copyBytes);
        if (!buffers->copy) return false;
    }
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
    const void* direct = DirectSource(layout);
    if (!AllocateBuffers(layout, settings.noAntialias == 0, !direct, buffers)) {
        if (suite) ReleaseColorSuite(layout.basicSuite);
        return memFullErr;
    }
    const bool copied = direct || FillSourceCopy(layout, buffers->copy, suite);
    if (suite) ReleaseColorSuite(layout.basicSuite);
    if (!copied) return errPlugInHostInsufficient;

    EngraveImage image{};
    image.planes = layout.planes;
    image.depth = layout.depth;
    image.cmykConverted = layout.cmyk;
    const int32_t stride = direct ? int32_t(layout.inStride) : layout.windowWidth * layout.planes;
    image.source = SampleWindow{direct ? direct : buffers->copy, stride, layout.windowLeft, layout.windowTop,
                                layout.windowWidth, layout.windowHeight};
    image.out = layout.out;
    image.outRowStride = int32_t(layout.outStride);

    const EngraveRegion& region = layout.region;
    RegionProgress mapped{progress, 0.0f, 1.0f};
    if (wholeImageProgress && region.imageHeight > 0 && region.height < region.imageHeight) {
        mapped.base = float(region.top) / float(region.imageHeight);
        mapped.share = float(region.height) / float(region.imageHeight);
    }
    RenderOptions options;
    options.threads = RenderThreadsFromEnvironment();
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
