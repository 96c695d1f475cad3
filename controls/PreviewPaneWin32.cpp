// "Preview Contaner CPP": the preview pane and the navigator.
#include <windows.h>

#include "controls/ControlFrame.h"
#include "controls/PreviewPane.h"
#include "controls/Toolkit.h"
#include "host/PageMemory.h"

namespace {

void DrawDiagonals(HDC dc, int width, int height, int dx, int dy) {
    HPEN pen = CreatePen(PS_SOLID, ScaleToToolkitDpi(1), RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen ? pen : GetStockObject(BLACK_PEN));
    MoveToEx(dc, dx, dy, nullptr);
    LineTo(dc, width + dx, height + dy);
    MoveToEx(dc, width + dx, dy, nullptr);
    LineTo(dc, dx, height + dy);
    SelectObject(dc, old);
    if (pen) DeleteObject(pen);
}

void DrawPicture(const PreviewPaneState& pane, HDC dc, int dx, int dy) {
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, pane.picture);
    BitBlt(dc, pane.pictureX + dx, pane.pictureY + dy, pane.pictureWidth, pane.pictureHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// The frame's size and clamped place are worked out at paint time and kept
// in the record, where the dialog reads them after a drag.
void PlaceFrame(PreviewPaneState& pane) {
    const PreviewPaneState* preview = pane.previewPane;
    const FrameSize frame = preview ? NavigatorFrameSize(preview->pictureWidth, preview->pictureHeight,
                                                         pane.navigatorScale)
                                    : FrameSize{0, 0};
    pane.frameWidth = frame.width;
    pane.frameHeight = frame.height;
    ClampFrame(pane.motion, frame, pane.pictureWidth, pane.pictureHeight);
}

void InvertFrame(const PreviewPaneState& pane, HDC dc) {
    if (pane.frameWidth <= 0 || pane.frameHeight <= 0) return;
    Box bands[4];
    FrameBands(pane.pictureX + pane.motion.frameX, pane.pictureY + pane.motion.frameY,
               {pane.frameWidth, pane.frameHeight}, ScaleToToolkitDpi(1), bands);
    for (const Box& band : bands) PatBlt(dc, band.left, band.top, band.width, band.height, DSTINVERT);
}

LRESULT Handle(ControlState* head, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PreviewPaneState& pane = *RecordOf<PreviewPaneState>(head);
    if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        if (pane.mode == kNavigatorMode) PlaceFrame(pane);
        HandlePaint(pane, window, message, wParam, PaintPreviewPane);
        return 0;
    }
    const POINT point = MousePoint(lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything; erasing first would flicker
        case WM_LBUTTONDOWN:
            SetCapture(window);
            PaneLeftDown(pane.motion, point.x, point.y);
            return 0;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON) {
                PaneLeftDrag(pane.motion, pane.mode, point.x, point.y);
                RedrawNow(window);
            } else if ((wParam & MK_RBUTTON) && pane.mode == kPreviewMode) {
                PaneRightPoint(pane.motion, point.x, point.y);
                SendCommand(pane.head, 0, 0);
            }
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            PaneLeftUp(pane.motion, pane.mode);
            SendCommand(pane.head, DragDoneCode, 0);
            return 0;
        case WM_RBUTTONDOWN:
            PaneRightPoint(pane.motion, point.x, point.y);
            SetCapture(window);
            return 0;
        case WM_RBUTTONUP:
            ReleaseCapture();
            SendCommand(pane.head, DragDoneCode, 0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Destroy(ControlState* head) {
    PreviewPaneState* pane = RecordOf<PreviewPaneState>(head);
    if (pane->picture) DeleteObject(pane->picture);
    for (PageBuffer& buffer : pane->buffers) PageFree(buffer.data, buffer.bytes);
    delete pane;
}

const ControlClassOps kOps = {CreateRecord<PreviewPaneState>, Destroy, Handle, false};

}  // namespace

void PaintPreviewPane(const PreviewPaneState& pane, HDC dc, const RECT& face) {
    FillBackground(dc, face);
    const bool dragging = pane.mode == kPreviewMode && (pane.motion.dragX != 0 || pane.motion.dragY != 0);
    const int dx = dragging ? pane.motion.dragX : 0, dy = dragging ? pane.motion.dragY : 0;
    if (pane.picture) {
        DrawPicture(pane, dc, dx, dy);
    } else {
        DrawDiagonals(dc, pane.head.width, pane.head.height, dx, dy);
    }
    if (pane.mode == kNavigatorMode) InvertFrame(pane, dc);
}

LRESULT CALLBACK PreviewPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kOps, window, message, wParam, lParam);
}
