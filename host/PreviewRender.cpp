#include "host/PreviewRender.h"

#include <new>

#include "engine/Engrave.h"
#include "host/HostRects.h"
#include "host/PassLayout.h"
#include "host/PassPixels.h"
#include "host/RegionRender.h"

PreviewPicture PlanPreviewRegion(int imageWidth, int imageHeight, const PreviewRequest& request) {
    PreviewPicture p;
    const int paneW = (request.paneWidth + 3) / 4 * 4;
    const int paneH = request.paneHeight;
    p.paneWidth = paneW;
    int ox = request.viewX, oy = request.viewY;
    if (ox >= imageWidth - paneW) ox = imageWidth - paneW - 1;
    if (oy >= imageHeight - paneH) oy = imageHeight - paneH - 1;
    p.left = ox < 0 ? 0 : ox;
    p.top = oy < 0 ? 0 : oy;
    p.width = imageWidth >= paneW ? paneW : imageWidth;
    p.height = imageHeight >= paneH ? paneH : imageHeight;
    return p;
}

PreviewPicture RenderPreview(const EngraveSettings& settings, const PreviewRequest& request,
                             const ProgressSink& progress) {
    const FilterRecord* record = request.host;
    if (!record) return PreviewPicture{};
    const VRect filter = GetFilterRect(record);
    PreviewPicture picture = PlanPreviewRegion(RectWidth(filter), RectHeight(filter), request);
    if (picture.width <= 0 || picture.height <= 0) return picture;

    EngraveRegion region{RectWidth(filter), RectHeight(filter), picture.left, picture.top, picture.width,
                         picture.height};
    PassLayout layout;
    const int reach = EngraveReach(settings, region.imageWidth, region.imageHeight);
    if (PlanRegionLayout(record, region, reach, &layout) != LayoutError::None) return picture;

    picture.planes = layout.planes;
    picture.depth = layout.depth;
    const size_t bytes = size_t(picture.width) * picture.height * layout.planes * layout.bytesPerSample;
    try {
        picture.pixels.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        picture.error = memFullErr;
        return picture;
    }
    layout.out = picture.pixels.data();
    layout.outStride = int64_t(picture.width) * layout.planes;

    picture.error = RenderRegion(settings, layout, progress, false);
    if (picture.error == noErr && layout.cmyk && !ConvertRegionToCmyk(layout)) picture.error = errPlugInHostInsufficient;
    if (picture.error != noErr) {
        picture.pixels.clear();
        return picture;
    }
    BlendWithSelection(layout);
    UpdateProgress(progress, 0, 100);
    picture.empty = false;
    return picture;
}
