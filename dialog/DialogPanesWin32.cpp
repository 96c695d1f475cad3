// The dialog's two panes: the preview render and its picture, the
// navigator's picture and frame, and panning with either pane.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "dialog/DialogSession.h"
#include "dialog/PanePictures.h"
#include "host/PreviewSource.h"

namespace {

void ReportToProgressBar(void*, int32_t done, int32_t total) {
    if (!gDialog.progress) return;
    SendMessageW(gDialog.progress, PBM_SETRANGE32, 0, total);
    SendMessageW(gDialog.progress, PBM_SETPOS, WPARAM(done), 0);
}

// A picture as a 24-bit device-independent bitmap, rows bottom-up as built.
HBITMAP MakeBitmap(const PanePicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::memcpy(bits, picture.bgr.data(), picture.bgr.size());
    return bitmap;
}

void ShowPicture(PreviewPaneState* pane, const PanePicture& picture) {
    if (!pane) return;
    if (pane->picture) DeleteObject(pane->picture);
    pane->picture = MakeBitmap(picture);
    pane->pictureX = picture.offsetX;
    pane->pictureY = picture.offsetY;
    pane->pictureWidth = picture.width;
    pane->pictureHeight = picture.height;
}

void Repaint(HWND window) {
    if (window) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASENOW);
}

bool Checkerboard() {
    const EngraveParams* params = Record();
    return params && params->checkerboard != 0;
}

void RefreshPreviewPicture() {
    PreviewPaneState* pane = gDialog.preview;
    const PreviewPicture& render = gDialog.lastRender;
    if (!pane || render.empty) return;
    PictureSource source{render.pixels.data(), int64_t(render.width) * render.planes * (render.depth == 16 ? 2 : 1),
                         render.width, render.height, render.planes, render.depth};
    // A CMYK image's preview holds CMYK, as the final render writes it: it
    // is shown through the host's colour suite, as the navigator is.
    std::vector<uint8_t> display;
    if (gDialog.cmyk) {
        if (!CmykDisplayCopy(gDialog.context->filterRecord, source.data, source.rowBytes, render.width, render.height, render.planes, render.depth,
                             &display))
            return;
        source = PictureSource{display.data(), int64_t(render.width) * 4, render.width, render.height, 4, 8};
    }
    ShowPicture(pane, BuildPreviewPicture(source, pane->head.width, pane->head.height, pane->motion.panX,
                                          pane->motion.panY, Checkerboard()));
}

}  // namespace

bool CanPreview() {
    const EngraveParams* params = Record();
    return params && params->canPreview == 1 && gDialog.sourceReady;
}

void RenderPreviewNow() {
    EngraveParams* params = Record();
    PreviewPaneState* pane = gDialog.preview;
    if (!params || !pane || !CanPreview()) return;
    const PreviewRequest request{gDialog.context->filterRecord, params->viewX, params->viewY, pane->head.width,
                                 pane->head.height};
    gDialog.lastRender = RenderPreview(SettingsOf(*params), request, ProgressSink{&ReportToProgressBar, nullptr});
    if ((params = Record()) && !gDialog.lastRender.empty) {
        // The view is kept where it was shown, so that a drag from the edge
        // moves it at once instead of first undoing a view beyond the image.
        params->viewX = gDialog.lastRender.left;
        params->viewY = gDialog.lastRender.top;
    }
    RefreshPreviewPicture();
    Repaint(pane->head.window);
}

void RefreshNavigatorPicture() {
    PreviewPaneState* pane = gDialog.navigator;
    const FilterRecord* record = gDialog.context ? gDialog.context->filterRecord : nullptr;
    if (!pane || !record || !gDialog.sourceReady || !record->inData) return;
    const int depth = record->depth == 16 ? 16 : 8;
    const int bytesPerPixel = record->planes * (depth == 16 ? 2 : 1);
    const NavigatorFit fit = FitNavigator(gDialog.imageWidth, gDialog.imageHeight, pane->head.width, pane->head.height);
    if (fit.width <= 0 || fit.height <= 0) return;
    // Nearest neighbours first: a CMYK image then converts only the pixels shown.
    std::vector<uint8_t> sampled(size_t(fit.width) * fit.height * bytesPerPixel), mask;
    const bool masked = record->haveMask && record->maskData;
    if (masked) mask.resize(size_t(fit.width) * fit.height);
    const uint8_t* in = static_cast<const uint8_t*>(record->inData);
    for (int y = 0; y < fit.height; ++y) {
        const int sy = std::min(int(float(y) / fit.scale), gDialog.imageHeight - 1);
        for (int x = 0; x < fit.width; ++x) {
            const int sx = std::min(int(float(x) / fit.scale), gDialog.imageWidth - 1);
            std::memcpy(&sampled[(size_t(y) * fit.width + x) * bytesPerPixel],
                        in + int64_t(sy) * record->inRowBytes + int64_t(sx) * bytesPerPixel, size_t(bytesPerPixel));
            if (masked)
                mask[size_t(y) * fit.width + x] =
                    static_cast<const uint8_t*>(record->maskData)[int64_t(sy) * record->maskRowBytes + sx];
        }
    }
    PictureSource source{sampled.data(), int64_t(fit.width) * bytesPerPixel, fit.width, fit.height, record->planes, depth};
    std::vector<uint8_t> display;
    if (gDialog.cmyk) {
        if (!CmykDisplayCopy(record, sampled.data(), source.rowBytes, fit.width, fit.height, record->planes, depth, &display))
            return;
        source = PictureSource{display.data(), int64_t(fit.width) * 4, fit.width, fit.height, 4, 8};
    }
    ShowPicture(pane, BuildNavigatorPicture(source, masked ? mask.data() : nullptr, fit.width, pane->head.width,
                                            pane->head.height, Checkerboard()));
    pane->navigatorScale = 1.0f / fit.scale;
    Repaint(pane->head.window);
}

void PlaceFrameFromView() {
    const EngraveParams* params = Record();
    PreviewPaneState* pane = gDialog.navigator;
    if (!params || !pane) return;
    const Point frame = FrameForView(Point{params->viewX, params->viewY}, pane->pictureWidth, pane->pictureHeight,
                                     gDialog.imageWidth, gDialog.imageHeight);
    pane->motion.frameX = frame.x;
    pane->motion.frameY = frame.y;
    Repaint(pane->head.window);
}

void TakePreviewPan() {
    EngraveParams* params = Record();
    PreviewPaneState* pane = gDialog.preview;
    if (!params || !pane) return;
    params->viewX += pane->motion.panX;
    params->viewY += pane->motion.panY;
    pane->motion.panX = pane->motion.panY = 0;
    PlaceFrameFromView();
    if (CanPreview()) RenderPreviewNow();
}

void TakeNavigatorFrame() {
    EngraveParams* params = Record();
    PreviewPaneState* pane = gDialog.navigator;
    if (!params || !pane) return;
    Repaint(pane->head.window);
    const Point view = ViewForFrame(Point{pane->motion.frameX, pane->motion.frameY}, pane->pictureWidth,
                                    pane->pictureHeight, gDialog.imageWidth, gDialog.imageHeight);
    params->viewX = view.x;
    params->viewY = view.y;
    if (CanPreview()) RenderPreviewNow();
}

// "Last Used Settings" follows the user's own changes, not a record just
// replaced by a preset or the defaults.
static void KeepLastUsed() {
    EngraveParams* params = Record();
    if (!params) return;
    if (params->presetApplied == 1)
        params->presetApplied = 0;
    else
        gDialog.lastUsed = *params;
}

void RefreshAfterChange() {
    KeepLastUsed();
    const EngraveParams* params = Record();
    if (!params || params->autoUpdate == 0 || !CanPreview()) {
        RefreshPreviewPicture();  // the checkerboard may have changed
        Repaint(gDialog.preview ? gDialog.preview->head.window : nullptr);
        return;
    }
    RenderPreviewNow();
}

void UpdateNow() {
    KeepLastUsed();
    if (CanPreview()) RenderPreviewNow();
    RefreshPreviewPicture();
    Repaint(gDialog.preview ? gDialog.preview->head.window : nullptr);
}
