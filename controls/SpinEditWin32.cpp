// "Spin Edit CPP": edit box, up-down arrows and slider around one value.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "controls/ControlFrame.h"
#include "controls/ControlNumbers.h"
#include "controls/SpinEdit.h"
#include "controls/SpinModel.h"
#include "controls/Toolkit.h"
#include "controls/ValueDialog.h"

namespace {

enum : int { kEditId = 1, kUpDownId = 2, kSliderId = 3 };

void SelectAllText(HWND edit) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void CreateChildren(SpinEditState& state) {
    HWND window = state.head.window;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    const int w = state.head.width, h = state.head.height;
    const int bar = ScaleToToolkitDpi(20), arrowsX = w - ScaleToToolkitDpi(19);
    // Children paint themselves; the parent must not paint over them.
    SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_CLIPCHILDREN);
    state.editWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                       0, 0, w - bar, h - bar, window, reinterpret_cast<HMENU>(kEditId), instance,
                                       nullptr);
    if (state.editWindow) SendMessageA(state.editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(gToolkit.editFont), FALSE);
    state.upDownWindow = CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER, arrowsX, 0, bar, h - bar, window,
                                             kUpDownId, instance, state.editWindow, short(UpDownWord(state.maximum)),
                                             short(UpDownWord(state.minimum)), short(UpDownWord(state.value)));
    state.sliderWindow = CreateWindowExA(WS_EX_STATICEDGE, kMacSliderClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0,
                                         h - bar, w, bar, window, reinterpret_cast<HMENU>(kSliderId), instance, nullptr);
    state.slider = FindControl<MacSliderState>(state.sliderWindow);
    if (state.slider) state.slider->forwardRightClick = 1;
}

// Focus left the edit (or it is full): the typed text becomes the value.
void CommitText(SpinEditState& state) {
    char text[32] = {};
    GetWindowTextA(state.editWindow, text, sizeof text);
    const TypedCommit commit = CommitTypedValue(state.value, text, std::strlen(text), state.minimum, state.maximum);
    SpinEditSetValue(&state, commit.value);
    if (commit.notify) SendCommand(state.head, 0, reinterpret_cast<LPARAM>(state.editWindow));
}

void OnCommand(SpinEditState& state, WPARAM wParam, LPARAM lParam) {
    const int child = LOWORD(wParam), code = HIWORD(wParam);
    if (child == kEditId) {
        if (code == RevertCode) SpinEditSetValue(&state, state.value);
        if (code == EN_KILLFOCUS || code == EN_MAXTEXT) CommitText(state);
    } else if (child == kSliderId) {
        SendCommand(state.head, 0, lParam);
    }
}

void OnSlider(SpinEditState& state, WPARAM wParam) {
    if (state.slider && state.slider->value != state.value) {
        const float value = state.slider->value;
        SpinEditSetValue(&state, state.integerMode ? float(TruncateToInt(value)) : value);
    }
    if (LOWORD(wParam) == SB_ENDSCROLL) SendCommand(state.head, 0, 0);
    // The keyboard stays on the field after a drag.
    SelectAllText(state.editWindow);
}

void OnArrows(SpinEditState& state, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != state.upDownWindow) return;
    const ArrowOutcome outcome = ArrowScroll(LOWORD(wParam), short(HIWORD(wParam)), state.notifyEachStep != 0);
    if (outcome.setValue) SpinEditSetValue(&state, outcome.value);
    if (outcome.notify) SendCommand(state.head, 0, 0);
}

LRESULT Handle(ControlState* head, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SpinEditState& state = *RecordOf<SpinEditState>(head);
    switch (message) {
        case WM_CREATE:
            CreateChildren(state);
            return 0;
        case WM_SETFOCUS:
            SelectAllText(state.editWindow);
            return 0;
        case WM_ENABLE:
            EnableWindow(state.editWindow, BOOL(wParam));
            EnableWindow(state.upDownWindow, BOOL(wParam));
            return 0;
        case WM_COMMAND:
            OnCommand(state, wParam, lParam);
            return 0;
        case WM_HSCROLL:
            OnSlider(state, wParam);
            return 0;
        case WM_VSCROLL:
            OnArrows(state, wParam, lParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            // A disabled edit is drawn on the dialog's colour.
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(gToolkit.backgroundBrush);
        case WM_RBUTTONDOWN:
            ValueDialog(window);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const ControlClassOps kOps = {CreateRecord<SpinEditState>, DestroyRecord<SpinEditState>, Handle, false};

}  // namespace

void SpinEditSetValue(SpinEditState* state, float value) {
    if (!state) return;
    state->value = FiniteOr(value, 0.0f);
    SendMessageA(state->upDownWindow, UDM_SETPOS, 0, MAKELPARAM(UpDownWord(state->value), 0));
    char text[64];
    FormatValueText(state->value, state->integerMode != 0, text, sizeof text);
    SendMessageA(state->editWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    MacSliderSetValue(state->slider, state->value);
}

void SpinEditSetRange(SpinEditState* state, float minimum, float maximum) {
    if (!state) return;
    state->minimum = FiniteOr(minimum, 0.0f);
    state->maximum = FiniteOr(maximum, 0.0f);
    if (state->slider) {
        state->slider->minimum = state->minimum;
        state->slider->maximum = state->maximum;
    }
    SendMessageA(state->upDownWindow, UDM_SETRANGE, 0,
                 MAKELPARAM(UpDownWord(state->maximum), UpDownWord(state->minimum)));
}

LRESULT CALLBACK SpinEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kOps, window, message, wParam, lParam);
}
