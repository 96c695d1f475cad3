#include <windows.h>

#include <cstring>

#include "controls/ControlFrame.h"
#include "controls/Toolkit.h"

namespace {

ControlState* StoredRecord(HWND window) {
    return reinterpret_cast<ControlState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// WM_CREATE: the record from the creation parameter or a new one, filled
// with what the window knows about itself. Returns null when there is none.
ControlState* AttachRecord(const ControlClassOps& ops, HWND window, const CREATESTRUCTA* create) {
    ControlState* record = create && create->lpCreateParams ? static_cast<ControlState*>(create->lpCreateParams)
                                                            : ops.create();
    if (!record) return nullptr;
    RECT client = {};
    GetClientRect(window, &client);
    record->window = window;
    record->identifier = int(GetWindowLongPtrA(window, GWLP_ID));
    record->width = client.right - client.left;
    record->height = client.bottom - client.top;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    return record;
}

LRESULT Dispatch(const ControlClassOps& ops, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlState* record = StoredRecord(window);
    switch (message) {
        case WM_CREATE:
            record = AttachRecord(ops, window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
            if (!record) return 0;  // lives on as a plain window
            return ops.handle(record, window, message, wParam, lParam);
        case WM_NCDESTROY:
            if (record) {
                SetWindowLongPtrA(window, GWLP_USERDATA, 0);
                ops.destroy(record);
                DefWindowProcA(window, message, wParam, lParam);
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            if (ops.focusOnClick) SetFocus(window);
            break;
    }
    if (!record) return DefWindowProcA(window, message, wParam, lParam);
    return ops.handle(record, window, message, wParam, lParam);
}

}  // namespace

LRESULT RunControlProc(const ControlClassOps& ops, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The host's message loop is beyond this module: nothing thrown here
    // may unwind into it.
    try {
        return Dispatch(ops, window, message, wParam, lParam);
    } catch (...) {
        return message == WM_CREATE ? -1 : 0;
    }
}

ControlState* FindControlState(HWND window, const char* className) {
    if (!window || !className) return nullptr;
    char name[64] = {};
    if (!GetClassNameA(window, name, sizeof name)) return nullptr;
    if (std::strcmp(name, className) != 0) return nullptr;
    return StoredRecord(window);
}

void RedrawNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

HWND OwnerOf(const ControlState& head) { return GetParent(head.window); }

void SendCommand(const ControlState& head, WORD code, LPARAM lParam) {
    SendMessageA(OwnerOf(head), WM_COMMAND, MAKEWPARAM(WORD(head.identifier), code), lParam);
}

void PostCommand(const ControlState& head, WORD code, LPARAM lParam) {
    PostMessageA(OwnerOf(head), WM_COMMAND, MAKEWPARAM(WORD(head.identifier), code), lParam);
}

POINT MousePoint(LPARAM lParam) { return {short(LOWORD(lParam)), short(HIWORD(lParam))}; }

void FillBackground(HDC dc, const RECT& face) {
    if (gToolkit.backgroundBrush) {
        FillRect(dc, &face, gToolkit.backgroundBrush);
    } else {
        HBRUSH brush = CreateSolidBrush(gToolkit.background);
        FillRect(dc, &face, brush);
        DeleteObject(brush);
    }
}

BITMAPINFO TopDownBitmapInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}
