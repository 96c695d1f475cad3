// "Rotor CPP" in Angle mode.
#include <windows.h>

#include <cstring>

#include "controls/ControlFrame.h"
#include "controls/ControlNumbers.h"
#include "controls/DpiScale.h"
#include "controls/PixelCanvas.h"
#include "controls/Rotor.h"
#include "controls/RotorFace.h"
#include "controls/RotorModel.h"
#include "controls/Toolkit.h"
#include "controls/ValueDialog.h"

namespace {

enum : int { kEditId = 1, kStepUpId = 2, kStepDownId = 3 };

RotorTurning TurningOf(const RotorState& state) {
    return {state.value, state.turns, state.direction, state.previousDirection};
}

void StoreTurning(RotorState& state, const RotorTurning& turning) {
    state.value = turning.value;
    state.turns = turning.turns;
    state.direction = turning.direction;
    state.previousDirection = turning.previousDirection;
}

AngleRange RangeOf(const RotorState& state) { return {state.minimumAngle, state.maximumAngle, state.limited != 0}; }

float DirectionAt(const RotorState& state, LPARAM lParam) {
    const POINT point = MousePoint(lParam);
    return PointDirection(point.x, point.y, state.head.width / 2, state.head.height / 2);
}

void OnPress(RotorState& state, LPARAM lParam) {
    RotorTurning turning = TurningOf(state);
    RotorPress(turning, DirectionAt(state, lParam), state.limited != 0);
    StoreTurning(state, turning);
    SetCapture(state.head.window);
    RotorUpdateText(&state);
    RedrawNow(state.head.window);
}

void OnDrag(RotorState& state, LPARAM lParam) {
    RotorTurning turning = TurningOf(state);
    RotorDrag(turning, DirectionAt(state, lParam));
    StoreTurning(state, turning);
    RedrawNow(state.head.window);
    if (!state.editWindow) return;
    RotorUpdateText(&state);
    SetFocus(state.editWindow);
    SendMessageA(state.editWindow, EM_SETSEL, 0, -1);
}

void CommitText(RotorState& state) {
    char text[16] = {};
    GetWindowTextA(state.editWindow, text, sizeof text);
    const float old = state.value;
    const float typed = ClampAngle(ParseTypedValue(text, std::strlen(text)), RangeOf(state));
    RotorSetValues(&state, typed, 0.0f);
    if (!SameAtTwoDecimals(old, typed)) SendCommand(state.head, 0, 0);
}

void OnCommand(RotorState& state, WPARAM wParam, LPARAM lParam) {
    const int child = LOWORD(wParam), code = HIWORD(wParam);
    if (child == kEditId) {
        if (code == RevertCode) RotorUpdateText(&state);
        if (code == EN_KILLFOCUS || code == EN_MAXTEXT) CommitText(state);
    } else if (child == kStepUpId || child == kStepDownId) {
        RotorSetValues(&state, RotorStep(state.value, child == kStepUpId ? 1 : -1, RangeOf(state)), 0.0f);
        // A step down with lParam 1 is a silent one.
        if (child == kStepUpId || lParam != 1) SendCommand(state.head, 0, 0);
    }
}

LRESULT Handle(ControlState* head, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RotorState& state = *RecordOf<RotorState>(head);
    if (HandlePaint(state, window, message, wParam, PaintRotor)) return 0;
    switch (message) {
        case WM_CREATE:
            // The number field paints itself; the dial must not paint over it.
            SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_CLIPCHILDREN);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything; erasing first would flicker
        case WM_SETFOCUS:
            if (state.editWindow) {
                SetFocus(state.editWindow);
                SendMessageA(state.editWindow, EM_SETSEL, 0, -1);
            }
            return 0;
        case WM_ENABLE:
            if (state.editWindow) EnableWindow(state.editWindow, BOOL(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnPress(state, lParam);
            return 0;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON) OnDrag(state, lParam);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            SendCommand(state.head, DragDoneCode, 0);
            RedrawNow(window);
            return 0;
        case WM_RBUTTONDOWN:
            ValueDialog(window);
            return 0;
        case WM_COMMAND:
            OnCommand(state, wParam, lParam);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const ControlClassOps kOps = {CreateRecord<RotorState>, DestroyRecord<RotorState>, Handle, false};

}  // namespace

void RotorCreateEdit(RotorState* state, int editWidth) {
    if (!state) return;
    HWND window = state->head.window;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    RECT client = {};
    GetClientRect(window, &client);
    const int width = ScaleToToolkitDpi(editWidth), height = ScaleToToolkitDpi(22);
    const int x = (client.right - width) / 2, y = (client.bottom - height) / 2;
    state->editWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, width,
                                        height, window, reinterpret_cast<HMENU>(kEditId), instance, nullptr);
    if (state->editWindow)
        SendMessageA(state->editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(gToolkit.editFont), FALSE);
}

void RotorSetValues(RotorState* state, float value, float second) {
    if (!state) return;
    state->value = FiniteOr(value, 0.0f);
    state->secondValue = FiniteOr(second, 0.0f);
    RedrawNow(state->head.window);
    RotorUpdateText(state);
}

void RotorUpdateText(RotorState* state) {
    if (!state || !state->editWindow) return;
    char text[64];
    FormatValueText(state->value, false, text, sizeof text);
    SetWindowTextA(state->editWindow, text);
}

void PaintRotor(const RotorState& state, HDC dc, const RECT& face) {
    const int w = state.head.width, h = state.head.height;
    if (w <= 0 || h <= 0) return;
    // The face is drawn into the pixels of a top-down DIB section: the
    // anti-aliased circles are written pixel by pixel.
    BITMAPINFO info = TopDownBitmapInfo(w, h);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    if (picture && memory && bits) {
        PixelCanvas canvas = {static_cast<uint32_t*>(bits), w, h};
        const COLORREF bg = gToolkit.background;
        RenderRotorFace(canvas, state.value, gToolkit.dpi, PackRgb(GetRValue(bg), GetGValue(bg), GetBValue(bg)));
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(dc, face.left, face.top, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    } else {
        FillBackground(dc, face);
    }
    if (memory) DeleteDC(memory);
    if (picture) DeleteObject(picture);
}

LRESULT CALLBACK RotorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kOps, window, message, wParam, lParam);
}
