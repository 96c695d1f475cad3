// "Spin Edit CPP", the numeric field: an edit box, up-down arrows and a
// "Mac Slider CPP" slider that stay in step, with a "Set value" dialog on a
// right click of the slider.
//
// The dialog, once per field: finds the record (FindControl<SpinEditState>),
// writes `name` and `integerMode`, may attach one tooltip to the three
// children, then calls SpinEditSetRange and SpinEditSetValue. After a
// WM_COMMAND carrying the field's identifier it reads `value`. It may call
// SpinEditSetValue at any time (a preset loaded): no notification comes
// back. On Escape in the field it posts WM_COMMAND (edit identifier 1,
// RevertCode) to the spin edit.
//
// Notifications (WM_COMMAND, low word = identifier, high word 0): lParam =
// the edit's handle after a typed value changed at two decimals; 0 after an
// arrow step, a slider release or the value dialog's OK (posted); 1 on
// every slider move while the slider's notifyWhileDragging is set.
#pragma once

#include <windows.h>

#include "controls/ControlState.h"

struct MacSliderState {
    static constexpr const char* kClassName = kMacSliderClass;
    ControlState head;
    float value = 0.0f;
    float minimum = 0.0f;    // value at the left end
    float maximum = 100.0f;  // value at the right end
    float lowerMark = 0.0f;  // limits while `limited`
    float upperMark = 0.0f;
    BYTE limited = 0;              // also kept within the marks, which are drawn
    BYTE notifyWhileDragging = 0;  // WM_COMMAND lParam 1 on every drag move
    BYTE forwardRightClick = 0;    // right click passed to the parent
};

struct SpinEditState {
    static constexpr const char* kClassName = kSpinEditClass;
    ControlState head;
    char name[64] = {};  // "Value name is:" in the value dialog
    BYTE integerMode = 0;  // shown as a truncated integer, else "%0.2f"
    HWND editWindow = nullptr;     // child 1
    HWND upDownWindow = nullptr;   // child 2
    HWND sliderWindow = nullptr;   // child 3
    float value = 0.0f;
    float minimum = 0.0f;  // for typed values, the arrows and the slider
    float maximum = 100.0f;
    float recommendedMaximum = 100.0f;  // shown in the value dialog only
    float recommendedMinimum = 0.0f;
    MacSliderState* slider = nullptr;
    BYTE notifyEachStep = 1;  // 1: every arrow step notifies; 0: the end of an arrow action
};

// Stores the value (not forced into the range) and shows it in the three
// children. No notification.
void SpinEditSetValue(SpinEditState* state, float value);

// Stores the range, copies it into the slider and the arrows (truncated,
// 16-bit). Neither moves nor redraws the value.
void SpinEditSetRange(SpinEditState* state, float minimum, float maximum);

// Stores the slider's value (within the marks when limited) and repaints.
void MacSliderSetValue(MacSliderState* slider, float value);

// The slider's face: background, marks when limited, track and thumb.
void PaintMacSlider(const MacSliderState& slider, HDC dc, const RECT& face);

LRESULT CALLBACK SpinEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MacSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
