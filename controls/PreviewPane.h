// "Preview Contaner CPP", the picture panes: the preview pane (mode 1)
// shows the rendered part of the image and pans it by dragging; the
// navigator (mode 0) shows the whole image reduced, with a frame over the
// part the preview shows, dragged to choose another part.
//
// The dialog finds both records (FindControl<PreviewPaneState>), sets
// `mode` to kNavigatorMode on the navigator, and points the navigator's
// `previewPane` at the preview pane's record: the frame's size is the
// preview's picture size in navigator pixels. The preview renderer puts
// `picture` (the record deletes it), its offset and size, the navigator's
// `navigatorScale` and up to four page-allocated `buffers` (freed with the
// record) into the records. After a WM_COMMAND from a pane the dialog takes
// the preview's `motion.panX/panY` (and sets them back to 0) or reads the
// navigator's `motion.frameX/frameY`; it writes the frame position when the
// view moves by other means.
//
// Notifications (WM_COMMAND, low word = identifier, lParam 0): high word
// DragDoneCode when the left or right button goes up after a press in the
// pane; high word 0 on every move with the right button held over the
// preview pane.
#pragma once

#include <windows.h>

#include <cstddef>

#include "controls/ControlState.h"
#include "controls/PreviewModel.h"

struct PageBuffer {
    void* data = nullptr;
    size_t bytes = 0;
};

struct PreviewPaneState {
    static constexpr const char* kClassName = kPreviewContainerClass;
    ControlState head;
    BYTE mode = kPreviewMode;  // kNavigatorMode or kPreviewMode
    HBITMAP picture = nullptr;
    int32_t pictureX = 0, pictureY = 0;  // where the picture's top-left goes
    int32_t pictureWidth = 0, pictureHeight = 0;
    float navigatorScale = 0.0f;  // navigator: image pixels per navigator pixel
    PaneMotion motion = {};       // mouse, drag, pan and frame position
    int32_t frameWidth = 0, frameHeight = 0;  // navigator: set at every paint
    // Navigator: the preview pane's record, whose picture size is the
    // frame's size in image pixels. Set by the dialog; null draws no frame.
    const PreviewPaneState* previewPane = nullptr;
    PageBuffer buffers[4];  // the renderer's pixel buffers (page allocator)
};

// The pane's face: the picture (dragged along while a drag is under way),
// or a diagonal cross without one; the navigator's frame, inverted.
void PaintPreviewPane(const PreviewPaneState& pane, HDC dc, const RECT& face);

LRESULT CALLBACK PreviewPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
