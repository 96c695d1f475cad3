// "Control Button CPP": a push button whose whole face is a bitmap per
// state (normal, mouse over, pressed).
#include <windows.h>

#include "controls/ButtonModel.h"
#include "controls/ControlFrame.h"
#include "controls/PushButtons.h"
#include "controls/Toolkit.h"

namespace {

const UINT_PTR kBlinkTimer = 1;

void Apply(ButtonState& button, const ButtonActions& actions) {
    if (actions.capture) SetCapture(button.head.window);
    if (actions.releaseCapture && GetCapture() == button.head.window) ReleaseCapture();
    if (actions.click) PostCommand(button.head, 0, 0);
    if (actions.repaint) RedrawNow(button.head.window);
}

void Replace(HBITMAP& slot, HBITMAP bitmap) {
    if (slot) DeleteObject(slot);
    slot = bitmap;
}

LRESULT Handle(ControlState* head, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonState& button = *RecordOf<ButtonState>(head);
    if (HandlePaint(button, window, message, wParam, PaintControlButton)) return 0;
    const POINT point = MousePoint(lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the face covers everything
        case WM_LBUTTONDOWN:
            Apply(button, ButtonPress(button.state));
            return 0;
        case WM_MOUSEMOVE:
            Apply(button, ButtonMove(button.state, point.x, point.y, button.head.width, button.head.height,
                                     wParam == MK_LBUTTON));
            return 0;
        case WM_LBUTTONUP:
            Apply(button, ButtonRelease(button.state));
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a menu, a message box): no face
            // may stay lit. The button's own releases come here after it has
            // already left the state.
            if (reinterpret_cast<HWND>(lParam) != window) Apply(button, ButtonCaptureLost(button.state));
            return 0;
        case WM_DESTROY:
            KillTimer(window, kBlinkTimer);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Destroy(ControlState* head) {
    ButtonState* button = RecordOf<ButtonState>(head);
    Replace(button->normalBitmap, nullptr);
    Replace(button->hoverBitmap, nullptr);
    Replace(button->pressedBitmap, nullptr);
    delete button;
}

const ControlClassOps kOps = {CreateRecord<ButtonState>, Destroy, Handle, true};

}  // namespace

void ButtonLoadBitmaps(ButtonState* state, int normalId, int hoverId, int pressedId) {
    if (!state) return;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(state->head.window, GWLP_HINSTANCE));
    Replace(state->normalBitmap, normalId ? LoadToolkitBitmap(instance, normalId) : nullptr);
    Replace(state->hoverBitmap, hoverId ? LoadToolkitBitmap(instance, hoverId) : nullptr);
    Replace(state->pressedBitmap, pressedId ? LoadToolkitBitmap(instance, pressedId) : nullptr);
    RedrawNow(state->head.window);
}

void PaintControlButton(const ButtonState& state, HDC dc, const RECT& face) {
    const HBITMAP faces[3] = {state.normalBitmap, state.hoverBitmap, state.pressedBitmap};
    HBITMAP bitmap = state.state < 3 ? faces[state.state] : nullptr;
    HDC memory = bitmap ? CreateCompatibleDC(dc) : nullptr;
    if (!memory) {
        FillBackground(dc, face);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, face.left, face.top, state.head.width, state.head.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

LRESULT CALLBACK ControlButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kOps, window, message, wParam, lParam);
}
