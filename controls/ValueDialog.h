// The "Set value" dialog (template kValueDialogId, 15092) that a spin edit
// or a rotor opens on a right click: the value's name, type, current value
// and recommended range, and fields for a new value and, for spin edits, a
// new range.
//
// The controls open it themselves; the dialog of the parameters never calls
// it. Enter in a field moves to the next field, Escape in a field restores
// that field; OK applies and posts WM_COMMAND (identifier, lParam 0) to the
// control's owner.
#pragma once

#include <windows.h>

// Runs the dialog modally for `control` (a "Spin Edit CPP" or "Rotor CPP"
// window, which owns it). Returns 1 after OK, 2 after Cancel, 0 when it
// could not open (another value dialog is open, or the control is neither).
INT_PTR ValueDialog(HWND control);
