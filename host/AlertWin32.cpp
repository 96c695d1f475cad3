// Windows seam: real message boxes and the About box.
#include <windows.h>

#include "host/Alert.h"
#include "host/AlertSink.h"
#include "host/ModuleState.h"
#include "resources/ResourceIds.h"

namespace {

UINT IconFlag(AlertIcon icon) {
    switch (icon) {
        case AlertIcon::Error: return MB_ICONERROR;
        case AlertIcon::Information: return MB_ICONINFORMATION;
        case AlertIcon::Exclamation: break;
    }
    return MB_ICONEXCLAMATION;
}

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void ShowAlert(const char* text, const char* caption, AlertIcon icon) {
    if (DeliverToAlertSink("alert", text, caption)) return;
    MessageBoxA(nullptr, text, caption, MB_OK | IconFlag(icon));
}

void ShowAboutBox(void* ownerPlatformData) {
    if (DeliverToAlertSink("about", kProductName, kProductVersion)) return;
    HWND owner = ownerPlatformData ? reinterpret_cast<HWND>(static_cast<PlatformData*>(ownerPlatformData)->hwnd)
                                   : nullptr;
    DialogBoxParamA(static_cast<HINSTANCE>(gModule.moduleInstance), MAKEINTRESOURCEA(kAboutDialogId), owner,
                    AboutProc, 0);
}
