// The filter pass: the only code that knows both the host's record and the
// engine. It copies the region into an RGB working copy, lets the engine
// draw into the host's output, converts CMYK back and applies the selection.
#include "host/FilterPass.h"

#include <cmath>

#include "engine/Engrave.h"
#include "host/ColorSuite.h"
#include "host/EngraveParams.h"
#include "host/PageMemory.h"
#include "host/PassLayout.h"
#include "host/PassPixels.h"

namespace {

// Page allocations of one pass, released whatever happens.
struct PassBuffers {
    void* copy = nullptr;
    size_t copyBytes = 0;
    EngraveScratch scratch{nullptr, nullptr};
    size_t subpixelBytes = 0, coverageBytes = 0;

    ~PassBuffers() {
        PageFree(copy, copyBytes);
        PageFree(scratch.subpixels, subpixelBytes);
        PageFree(scratch.coverage, coverageBytes);
    }
    void FreeRasters() {
        PageFree(scratch.subpixels, subpixelBytes);
        PageFree(scratch.coverage, coverageBytes);
        scratch = EngraveScratch{nullptr, nullptr};
    }
};

// Progress of one chunk mapped onto the whole image, so that the host's bar
// runs once from start to end over a split run.
struct ChunkProgress {
    float base;   // fraction of the image above the region
    float share;  // fraction of the image in the region
};

void ReportProgress(void* context, float done, float total) {
    const ChunkProgress* chunk = static_cast<const ChunkProgress*>(context);
    if (chunk->base == 0.0f && chunk->share == 1.0f)
        UpdateProgress(done, total);
    else
        UpdateProgress(chunk->base * total + chunk->share * done, total);
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

void RunEngine(const EngraveParams& params, const PassLayout& layout, const PassBuffers& buffers) {
    EngraveImage image{};
    image.planes = layout.planes;
    image.depth = layout.depth;
    image.cmykConverted = layout.cmyk;
    image.source = SampleWindow{buffers.copy, layout.windowWidth * layout.planes, layout.windowLeft,
                                layout.windowTop, layout.windowWidth, layout.windowHeight};
    image.out = layout.out;
    image.outRowStride = int32_t(layout.outStride);

    const EngraveRegion& region = layout.region;
    ChunkProgress chunk{0.0f, 1.0f};
    if (region.layoutOnImage && region.imageHeight > 0 && region.height < region.imageHeight) {
        chunk.base = float(region.top) / float(region.imageHeight);
        chunk.share = float(region.height) / float(region.imageHeight);
    }
    const EngraveProgress progress{&ReportProgress, &chunk};
    EngraveRender(params, region, image, layout.mask, gModule.dialogOpen, buffers.scratch, progress);
}

}  // namespace

void FilterPass(FilterGlobals* globals) {
    gModule.currentGlobals = globals;
    const EngraveParams* params = CurrentParams();
    if (!params) {
        SetResult(globals, memFullErr);
        return;
    }
    PassLayout layout;
    switch (PlanPassLayout(globals, *params, &layout)) {
        case LayoutError::UnsupportedMode: SetResult(globals, userCanceledErr); return;
        case LayoutError::NothingToDo: UpdateProgress(0, 100); return;
        case LayoutError::None: break;
    }

    // Without the host's colour suite a CMYK image cannot be engraved: the
    // pass stops and leaves the output as it was rather than engrave a black
    // copy or write RGB samples into CMYK planes.
    const PSColorSpaceSuite1* suite = nullptr;
    if (layout.cmyk && !(suite = AcquireColorSuite())) {
        SetResult(globals, errPlugInHostInsufficient);
        return;
    }
    PassBuffers buffers;
    const bool antialiased = params->noAntialias == 0;
    if (!AllocateBuffers(layout, antialiased, &buffers)) {
        if (suite) ReleaseColorSuite();
        SetResult(globals, memFullErr);
        return;
    }
    const bool copied = FillSourceCopy(layout, buffers.copy, suite);
    if (suite) ReleaseColorSuite();
    if (!copied) {
        SetResult(globals, errPlugInHostInsufficient);
        return;
    }

    RunEngine(*params, layout, buffers);

    if (layout.cmyk && !layout.preview) {
        const PSColorSpaceSuite1* back = AcquireColorSuite();
        const bool converted = back && ConvertOutputToCmyk(layout, back);
        if (back) ReleaseColorSuite();
        if (!converted) {
            RestoreOutputFromInput(layout);
            SetResult(globals, errPlugInHostInsufficient);
            UpdateProgress(0, 100);
            return;
        }
    }
    buffers.FreeRasters();
    BlendWithSelection(layout, buffers.copy);
    UpdateProgress(0, 100);
}

void RenderPreview(FilterGlobals* globals) {
    const EngraveParams* params = CurrentParams();
    if (params && params->canPreview == 1) FilterPass(globals);
}
