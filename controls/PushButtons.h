// The dialog's push buttons of the module's own look.
//
// Bitmap buttons ("Control Button CPP": About, help): the dialog moves each
// one (MoveWindow, sizes scaled with ScaleToToolkitDpi), writes the new
// size into its record's head, and loads its faces with ButtonLoadBitmaps.
// A completed click posts WM_COMMAND (identifier, lParam 0) to the dialog.
//
// Skinned buttons (owner-drawn "OK", "Cancel", "Save", "Delete",
// "Update"): right after the dialog is created it calls, per button,
// InstallHoverButtonProc(button, SkinHoverFlag(identifier)), which puts
// HoverButtonProc in front of the button's own procedure; on WM_DRAWITEM it
// calls SkinButtonPainter with the DRAWITEMSTRUCT's fields and answers 1.
#pragma once

#include <windows.h>

#include "controls/ControlState.h"

struct ButtonState {
    static constexpr const char* kClassName = kControlButtonClass;
    ControlState head;
    BYTE state = 0;  // 0 normal, 1 mouse over, 2 pressed
    HBITMAP normalBitmap = nullptr;  // owned: deleted with the button
    HBITMAP hoverBitmap = nullptr;
    HBITMAP pressedBitmap = nullptr;
};

// Loads the three faces from the button window's module at the toolkit's
// DPI, replacing (and deleting) any it had; identifier 0 leaves a face
// empty. Faces are drawn unscaled at the recorded size, so they should
// have the button's size.
void ButtonLoadBitmaps(ButtonState* state, int normalId, int hoverId, int pressedId);

// The face of the current state; the background where it has none.
void PaintControlButton(const ButtonState& state, HDC dc, const RECT& face);

// Paints a skinned button: skin set by state (disabled, pressed, mouse over
// by its hover flag, default for "OK"), caps and stretched middle, caption
// by identifier in the label font. `textRect` is the item rectangle (may be
// null: then x, y, width, height).
void SkinButtonPainter(HDC dc, int identifier, UINT itemState, int x, int y, int width, int height,
                       const RECT* textRect);

// The module-wide hover flag of the skinned button with this identifier
// ("OK" 1, "Cancel" 2, "Save" 1074, "Delete" 1078, "Update" 1110), or null.
// All are 0 whenever the toolkit is registered.
BYTE* SkinHoverFlag(int identifier);

// Subclasses `button` with HoverButtonProc, which keeps `hoverFlag` set
// while the mouse is over the button and clear otherwise, and hands every
// message on to the procedure it replaced (restored when the button is
// destroyed). False when the button could not be subclassed.
bool InstallHoverButtonProc(HWND button, BYTE* hoverFlag);

LRESULT CALLBACK HoverButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ControlButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
