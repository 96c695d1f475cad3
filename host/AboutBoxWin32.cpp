// The About box (dialog template 16103), owned by the host's window.
#include <windows.h>

#include "host/Alert.h"
#include "host/AlertSink.h"
#include "host/ModuleState.h"
#include "resources/ResourceIds.h"

namespace {

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

void ShowAboutBox(void* ownerPlatformData) {
    if (DeliverToAlertSink("about", kProductName, kProductVersion)) return;
    HWND owner = ownerPlatformData ? reinterpret_cast<HWND>(static_cast<PlatformData*>(ownerPlatformData)->hwnd)
                                   : nullptr;
    DialogBoxParamA(static_cast<HINSTANCE>(gModule.moduleInstance), MAKEINTRESOURCEA(kAboutDialogId), owner,
                    AboutProc, 0);
}
