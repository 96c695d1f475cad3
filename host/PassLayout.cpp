#include "host/PassLayout.h"

#include <algorithm>

#include "host/Alert.h"
#include "host/HostRects.h"

namespace {

bool SupportedMode(int16_t mode) {
    return mode == plugInModeRGBColor || mode == plugInModeRGB48 || mode == plugInModeCMYKColor ||
           mode == plugInModeCMYK64;
}

// The preview pane: its width rounded up to a multiple of 4, the view
// clamped into the image, the region no larger than the image.
void PlanPreviewRegion(FilterGlobals* globals, const EngraveParams& params, int imageW, int imageH,
                       EngraveRegion* region) {
    PIRect& pane = globals->previewRect;
    int paneW = pane.right - pane.left;
    const int paneH = pane.bottom - pane.top;
    paneW = (paneW + 3) / 4 * 4;
    pane.right = int16_t(pane.left + paneW);

    int ox = params.viewX, oy = params.viewY;
    if (ox >= imageW - paneW) ox = imageW - paneW - 1;
    if (oy >= imageH - paneH) oy = imageH - paneH - 1;
    ox = std::max(ox, 0);
    oy = std::max(oy, 0);
    region->left = ox;
    region->top = oy;
    region->width = imageW >= paneW ? paneW : imageW;
    region->height = imageH >= paneH ? paneH : imageH;
    region->layoutOnImage = false;
}

}  // namespace

LayoutError PlanPassLayout(FilterGlobals* globals, const EngraveParams& params, PassLayout* layout) {
    FilterRecord* record = globals->filterRecord;
    *layout = PassLayout{};
    layout->depth = record->depth == 0 ? 8 : record->depth;
    layout->planes = record->planes;
    layout->bytesPerSample = layout->depth == 16 ? 2 : 1;
    layout->preview = gModule.dialogOpen;
    layout->cmyk = record->imageMode == plugInModeCMYKColor || record->imageMode == plugInModeCMYK64;

    if (record->planes < 3)
        ShowAlert("There are less than 3 layers", "WARNING", AlertIcon::Exclamation);
    // Fewer than three planes cannot hold RGB: reading them as RGB would run
    // past the host's rows, so such an image is refused like other modes.
    if (!SupportedMode(record->imageMode) || record->planes < 3 ||
        (layout->depth != 8 && layout->depth != 16)) {
        ShowAlert("This Mode is Not Supported by the Plug-in", "", AlertIcon::Exclamation);
        return LayoutError::UnsupportedMode;
    }

    const VRect filter = GetFilterRect(record);
    const VRect out = GetOutRect(record);
    const VRect in = GetInRect(record);
    EngraveRegion& region = layout->region;
    region.imageWidth = RectWidth(filter);
    region.imageHeight = RectHeight(filter);

    if (layout->preview) {
        PlanPreviewRegion(globals, params, RectWidth(out), RectHeight(out), &region);
        // The preview fetch delivers the whole image: input and output
        // buffers start at the out-rectangle's corner.
        layout->inLeft = in.left - filter.left;
        layout->inTop = in.top - filter.top;
        layout->windowLeft = region.left;
        layout->windowTop = region.top;
        layout->windowWidth = region.width;
        layout->windowHeight = region.height;
    } else {
        // The region is the delivered chunk, clipped to the image: a last
        // chunk may overhang the filter rectangle.
        region.left = out.left - filter.left;
        region.top = out.top - filter.top;
        region.width = std::min(out.right, filter.right) - out.left;
        region.height = std::min(out.bottom, filter.bottom) - out.top;
        region.layoutOnImage = true;
        layout->inLeft = in.left - filter.left;
        layout->inTop = in.top - filter.top;
        // Sample from everything the host delivered inside the image.
        layout->windowLeft = std::max(layout->inLeft, 0);
        layout->windowTop = std::max(layout->inTop, 0);
        layout->windowWidth = std::min(in.right, filter.right) - filter.left - layout->windowLeft;
        layout->windowHeight = std::min(in.bottom, filter.bottom) - filter.top - layout->windowTop;
    }
    if (region.width <= 0 || region.height <= 0 || layout->windowWidth <= 0 || layout->windowHeight <= 0 ||
        !record->inData || !record->outData)
        return LayoutError::NothingToDo;
    // The window must lie inside what the host delivered.
    if (layout->windowLeft < layout->inLeft || layout->windowTop < layout->inTop ||
        layout->windowLeft + layout->windowWidth > layout->inLeft + RectWidth(in) ||
        layout->windowTop + layout->windowHeight > layout->inTop + RectHeight(in))
        return LayoutError::NothingToDo;

    layout->in = static_cast<const uint8_t*>(record->inData);
    layout->inStride = record->inRowBytes / layout->bytesPerSample;
    layout->out = static_cast<uint8_t*>(record->outData);
    layout->outStride = record->outRowBytes / layout->bytesPerSample;
    if (layout->inStride < int64_t(RectWidth(in)) * layout->planes ||
        layout->outStride < int64_t(region.width) * layout->planes)
        return LayoutError::NothingToDo;

    if (record->haveMask && record->maskData && record->maskRowBytes >= 1) {
        const VRect maskRect = GetMaskRect(record);
        layout->mask.data = static_cast<const uint8_t*>(record->maskData);
        layout->mask.rowBytes = record->maskRowBytes;
        layout->mask.left = maskRect.left - filter.left;
        layout->mask.top = maskRect.top - filter.top;
        layout->mask.width = RectWidth(maskRect);
        layout->mask.height = RectHeight(maskRect);
    }
    return LayoutError::None;
}
