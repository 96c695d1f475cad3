// The About box (dialog template 16103), owned by the host's window.
#include <windows.h>

#include <cstdio>

#include "host/Alert.h"
#include "host/AlertSink.h"
#include "host/ModuleState.h"
#include "host/NoThrowDialogProc.h"
#include "resources/ResourceIds.h"

namespace {

const COLORREF kBackground = RGB(232, 232, 232);  // as the module's other windows
const COLORREF kTitleColour = RGB(40, 52, 86);

// GDI objects of one showing; made in WM_INITDIALOG, freed when it ends.
struct AboutBoxState {
    HFONT titleFont = nullptr;
    HBRUSH background = nullptr;
};

void ReleaseGdi(AboutBoxState* state) {
    if (!state) return;
    if (state->titleFont) DeleteObject(state->titleFont);
    if (state->background) DeleteObject(state->background);
    state->titleFont = nullptr;
    state->background = nullptr;
}

// The product name, about twice the dialog font's height, bold.
HFONT MakeTitleFont(HWND dialog) {
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA font = {};
    if (!dialogFont || !GetObjectA(dialogFont, sizeof font, &font)) {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfHeight = font.lfHeight < 0 ? font.lfHeight * 2 : -24;
    font.lfWidth = 0;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

// Centred over the owner when it is on screen, else over its monitor's work
// area; never pushed off that work area.
void CentreOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    HMONITOR monitor = MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return;
    RECT work = info.rcWork;
    RECT anchor = work;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &anchor);

    RECT box;
    GetWindowRect(dialog, &box);
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    LONG x = anchor.left + ((anchor.right - anchor.left) - width) / 2;
    LONG y = anchor.top + ((anchor.bottom - anchor.top) - height) / 2;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitAboutBox(HWND dialog, AboutBoxState* state) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    if (state) {
        state->background = CreateSolidBrush(kBackground);
        state->titleFont = MakeTitleFont(dialog);
        if (state->titleFont) SendDlgItemMessageA(dialog, kAboutProductText, WM_SETFONT,
                                                  reinterpret_cast<WPARAM>(state->titleFont), FALSE);
    }
    char version[64];
    std::snprintf(version, sizeof version, "Version %s", kProductVersion);
    SetDlgItemTextA(dialog, kAboutProductText, kProductName);
    SetDlgItemTextA(dialog, kAboutVersionText, version);
    CentreOverOwner(dialog);
}

INT_PTR ColourControl(const AboutBoxState* state, HDC dc, HWND control) {
    if (!state || !state->background) return FALSE;
    SetBkColor(dc, kBackground);
    if (GetDlgCtrlID(control) == kAboutProductText) SetTextColor(dc, kTitleColour);
    return reinterpret_cast<INT_PTR>(state->background);
}

INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutBoxState* state = reinterpret_cast<AboutBoxState*>(GetWindowLongPtrA(window, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            InitAboutBox(window, reinterpret_cast<AboutBoxState*>(lParam));
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ColourControl(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            EndDialog(window, IDCANCEL);
            return TRUE;
        case WM_NCDESTROY:
            // The controls are gone by now, so nothing still uses the font.
            ReleaseGdi(state);
            SetWindowLongPtrA(window, DWLP_USER, 0);
            break;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(void* ownerPlatformData) {
    if (DeliverToAlertSink("about", kProductName, kProductVersion)) return;
    HWND owner = ownerPlatformData ? reinterpret_cast<HWND>(static_cast<PlatformData*>(ownerPlatformData)->hwnd)
                                   : nullptr;
    AboutBoxState state;
    DialogBoxParamA(static_cast<HINSTANCE>(gModule.moduleInstance), MAKEINTRESOURCEA(kAboutDialogId), owner,
                    NoThrowDialogProc<HandleMessage>, reinterpret_cast<LPARAM>(&state));
    ReleaseGdi(&state);  // in case the dialog ended without WM_NCDESTROY reaching us
}
