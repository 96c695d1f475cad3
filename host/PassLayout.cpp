#include "host/PassLayout.h"

#include <algorithm>

#include "host/Alert.h"
#include "host/HostRects.h"

namespace {

bool SupportedMode(int16_t mode) {
    return mode == plugInModeRGBColor || mode == plugInModeRGB48 || mode == plugInModeCMYKColor ||
           mode == plugInModeCMYK64;
}

// Fewer than three planes cannot hold RGB: reading them as RGB would run
// past the host's rows, so such an image is refused like other modes.
bool Supported(const FilterRecord* record, int depth) {
    return SupportedMode(record->imageMode) && record->planes >= 3 && (depth == 8 || depth == 16);
}

void PlanImage(const FilterRecord* record, PassLayout* layout) {
    *layout = PassLayout{};
    layout->depth = record->depth == 0 ? 8 : record->depth;
    layout->planes = record->planes;
    layout->bytesPerSample = layout->depth == 16 ? 2 : 1;
    layout->cmyk = record->imageMode == plugInModeCMYKColor || record->imageMode == plugInModeCMYK64;
    layout->basicSuite = record->sSPBasic;
    const VRect filter = GetFilterRect(record);
    layout->region.imageWidth = RectWidth(filter);
    layout->region.imageHeight = RectHeight(filter);
}

// The input and mask buffers, once the region and the window are known.
LayoutError PlanBuffers(const FilterRecord* record, PassLayout* layout) {
    const VRect filter = GetFilterRect(record);
    const VRect in = GetInRect(record);
    const EngraveRegion& region = layout->region;
    if (region.width <= 0 || region.height <= 0 || layout->windowWidth <= 0 || layout->windowHeight <= 0 ||
        !record->inData)
        return LayoutError::NothingToDo;
    // The window must lie inside what the host delivered, and cover the region.
    if (layout->windowLeft < layout->inLeft || layout->windowTop < layout->inTop ||
        layout->windowLeft + layout->windowWidth > layout->inLeft + RectWidth(in) ||
        layout->windowTop + layout->windowHeight > layout->inTop + RectHeight(in) ||
        layout->windowLeft > region.left || layout->windowTop > region.top ||
        layout->windowLeft + layout->windowWidth < region.left + region.width ||
        layout->windowTop + layout->windowHeight < region.top + region.height)
        return LayoutError::NothingToDo;

    layout->in = static_cast<const uint8_t*>(record->inData);
    layout->inStride = record->inRowBytes / layout->bytesPerSample;
    if (layout->inStride < int64_t(RectWidth(in)) * layout->planes) return LayoutError::NothingToDo;

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

}  // namespace

LayoutError PlanPassLayout(const FilterRecord* record, PassLayout* layout) {
    PlanImage(record, layout);
    if (record->planes < 3) ShowAlert("There are less than 3 layers", "WARNING", AlertIcon::Exclamation);
    if (!Supported(record, layout->depth)) {
        ShowAlert("This Mode is Not Supported by the Plug-in", "", AlertIcon::Exclamation);
        return LayoutError::UnsupportedMode;
    }
    const VRect filter = GetFilterRect(record);
    const VRect out = GetOutRect(record);
    const VRect in = GetInRect(record);
    // The region is the delivered chunk, clipped to the image: a last chunk
    // may overhang the filter rectangle.
    EngraveRegion& region = layout->region;
    region.left = out.left - filter.left;
    region.top = out.top - filter.top;
    region.width = std::min(out.right, filter.right) - out.left;
    region.height = std::min(out.bottom, filter.bottom) - out.top;
    layout->inLeft = in.left - filter.left;
    layout->inTop = in.top - filter.top;
    // Sample from everything the host delivered inside the image.
    layout->windowLeft = std::max(layout->inLeft, 0);
    layout->windowTop = std::max(layout->inTop, 0);
    layout->windowWidth = std::min(in.right, filter.right) - filter.left - layout->windowLeft;
    layout->windowHeight = std::min(in.bottom, filter.bottom) - filter.top - layout->windowTop;

    const LayoutError error = PlanBuffers(record, layout);
    if (error != LayoutError::None) return error;
    if (!record->outData) return LayoutError::NothingToDo;
    layout->out = static_cast<uint8_t*>(record->outData);
    layout->outStride = record->outRowBytes / layout->bytesPerSample;
    if (layout->outStride < int64_t(region.width) * layout->planes) return LayoutError::NothingToDo;
    return LayoutError::None;
}

LayoutError PlanRegionLayout(const FilterRecord* record, const EngraveRegion& wanted, int reach,
                             PassLayout* layout) {
    PlanImage(record, layout);
    if (!Supported(record, layout->depth)) return LayoutError::UnsupportedMode;
    const VRect filter = GetFilterRect(record);
    const VRect in = GetInRect(record);
    EngraveRegion& region = layout->region;
    region.left = wanted.left;
    region.top = wanted.top;
    region.width = wanted.width;
    region.height = wanted.height;
    layout->inLeft = in.left - filter.left;
    layout->inTop = in.top - filter.top;
    // The region grown by the reach, inside the image and what was delivered.
    const int64_t left = std::max<int64_t>({int64_t(region.left) - reach, 0, layout->inLeft});
    const int64_t top = std::max<int64_t>({int64_t(region.top) - reach, 0, layout->inTop});
    const int64_t right = std::min<int64_t>({int64_t(region.left) + region.width + reach, region.imageWidth,
                                             int64_t(layout->inLeft) + RectWidth(in)});
    const int64_t bottom = std::min<int64_t>({int64_t(region.top) + region.height + reach, region.imageHeight,
                                              int64_t(layout->inTop) + RectHeight(in)});
    layout->windowLeft = int(left);
    layout->windowTop = int(top);
    layout->windowWidth = int(std::max<int64_t>(right - left, 0));
    layout->windowHeight = int(std::max<int64_t>(bottom - top, 0));
    return PlanBuffers(record, layout);
}
