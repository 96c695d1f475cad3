#pragma once

#include <windows.h>

// A dialog procedure that nothing thrown leaves: an exception escaping into
// the host's dialog manager would take the host, and the user's unsaved
// document, down with it. The handler's own failure reads as "not handled".
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK NoThrowDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Handle(window, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
