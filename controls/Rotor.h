// "Rotor CPP" in Angle mode: the dial that sets the pattern's angle by
// pressing, dragging (whole turns counted), typing into its number field,
// stepping, or through its "Set value" dialog.
//
// The dialog finds the record (FindControl<RotorState>), writes `name`
// ("Angle") and `mode` (kRotorAngleMode), creates the number field with
// RotorCreateEdit(state, 50) and shows a value with RotorSetValues(state,
// angle, 0). After a WM_COMMAND from the rotor it reads `value`. On Escape
// in the field it posts WM_COMMAND (edit identifier 1, RevertCode) to the
// rotor.
//
// Notifications (WM_COMMAND, low word = identifier): high word DragDoneCode
// when the left button goes up after a press in the dial; high word 0 after
// a typed value changed at two decimals, a one-unit step, or the value
// dialog's OK (posted).
#pragma once

#include <windows.h>

#include "controls/ControlState.h"

// The class's modes; only Angle is built.
enum : BYTE { kRotorLightMode = 0, kRotorSphereMode = 1, kRotorMarkerMode = 2, kRotorAngleMode = 3, kRotorSliderMode = 4 };

struct RotorState {
    static constexpr const char* kClassName = kRotorClass;
    ControlState head;
    float value = 0.0f;          // degrees clockwise from up, any number of turns
    float secondValue = 90.0f;   // light-position mode only
    float turns = 0.0f;          // whole turns counted while dragging
    float direction = 0.0f;      // pointer direction at the last mouse event, [0, 360)
    float previousDirection = 0.0f;
    float minimumAngle = 0.0f;   // bounds when limited
    float maximumAngle = 360.0f;
    char name[64] = {};          // "Value name is:" in the value dialog
    BYTE mode = 0;
    BYTE limited = 0;   // press resets the turns; typed and stepped values clamped
    BYTE integer = 0;   // the value dialog shows integers
    HWND editWindow = nullptr;
};

// Creates the number field, editWidth (at 96 DPI) by 22, centred in the
// dial, in the shared edit font.
void RotorCreateEdit(RotorState* state, int editWidth);

// Stores both values, repaints and shows the value in the field. No
// notification.
void RotorSetValues(RotorState* state, float value, float second);

// Shows the value with "%0.2f" in the field, when there is one.
void RotorUpdateText(RotorState* state);

// The dial's face: circle, marker cross and the circle around it.
void PaintRotor(const RotorState& state, HDC dc, const RECT& face);

LRESULT CALLBACK RotorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
