// Inside the toolkit: the window procedures the registration table names,
// and the state that registration resets.
#pragma once

#include <windows.h>

LRESULT CALLBACK PlainFocusControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PlainControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Clears the skinned buttons' hover flags (a new dialog starts with none).
void ResetSkinHoverFlags();
