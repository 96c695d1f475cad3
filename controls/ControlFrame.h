// Inside the toolkit: the window-procedure skeleton every class runs
// through, and the painting and notification helpers the classes share.
#pragma once

#include <windows.h>

#include <new>

#include "controls/ControlState.h"

// One class's part of the skeleton.
struct ControlClassOps {
    ControlState* (*create)();                    // a record with the class defaults, or null
    void (*destroy)(ControlState* record);        // release what it owns, then delete it
    LRESULT (*handle)(ControlState* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool focusOnClick;                            // take the focus on WM_LBUTTONDOWN
};

// The skeleton: record at WM_CREATE (or ready in the creation parameter),
// freed at WM_NCDESTROY, everything else to the class's handler when there
// is a record. No exception leaves it.
LRESULT RunControlProc(const ControlClassOps& ops, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

template <class Record>
ControlState* CreateRecord() {
    Record* record = new (std::nothrow) Record();
    return record ? &record->head : nullptr;
}

template <class Record>
Record* RecordOf(ControlState* head) {
    return reinterpret_cast<Record*>(head);
}

template <class Record>
void DestroyRecord(ControlState* head) {
    delete RecordOf<Record>(head);
}

// Repaint at once (RDW_INVALIDATE | RDW_UPDATENOW).
void RedrawNow(HWND window);

// The owner of a control: its parent window.
HWND OwnerOf(const ControlState& head);

// WM_COMMAND to the owner, sent or posted.
void SendCommand(const ControlState& head, WORD code, LPARAM lParam);
void PostCommand(const ControlState& head, WORD code, LPARAM lParam);

// The signed client point of a mouse message.
POINT MousePoint(LPARAM lParam);

// Paints through an off-screen bitmap of the record's size: `paint` draws
// into a memory context, which is then copied to `target` in one BitBlt.
template <class Paint>
void PaintBuffered(HDC target, const ControlState& head, Paint paint) {
    HDC memory = CreateCompatibleDC(target);
    HBITMAP buffer = CreateCompatibleBitmap(target, head.width > 0 ? head.width : 1, head.height > 0 ? head.height : 1);
    if (memory && buffer) {
        HGDIOBJ old = SelectObject(memory, buffer);
        paint(memory);
        BitBlt(target, 0, 0, head.width, head.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    } else {
        paint(target);  // no memory for a buffer: flicker rather than nothing
    }
    if (buffer) DeleteObject(buffer);
    if (memory) DeleteDC(memory);
}

// WM_PAINT and WM_PRINTCLIENT through one paint function of (record, dc,
// face rectangle): WM_PAINT double-buffered, WM_PRINTCLIENT straight into
// the given context. Returns true when `message` was one of them.
template <class Record, class Paint>
bool HandlePaint(const Record& record, HWND window, UINT message, WPARAM wParam, Paint paint) {
    const RECT face = {0, 0, record.head.width, record.head.height};
    if (message == WM_PRINTCLIENT) {
        paint(record, reinterpret_cast<HDC>(wParam), face);
        return true;
    }
    if (message != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc) PaintBuffered(dc, record.head, [&](HDC memory) { paint(record, memory, face); });
    EndPaint(window, &ps);
    return true;
}

// Fills the face with the shared background brush.
void FillBackground(HDC dc, const RECT& face);

// A 32-bit top-down DIB header: rows in reading order, pixels 0x00RRGGBB.
BITMAPINFO TopDownBitmapInfo(int width, int height);
