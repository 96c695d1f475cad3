// Windows seam: real message boxes.
#include <windows.h>

#include "host/Alert.h"
#include "host/AlertSink.h"

namespace {

UINT IconFlag(AlertIcon icon) {
    switch (icon) {
        case AlertIcon::Error: return MB_ICONERROR;
        case AlertIcon::Information: return MB_ICONINFORMATION;
        case AlertIcon::Exclamation: break;
    }
    return MB_ICONEXCLAMATION;
}

}  // namespace

void ShowAlert(const char* text, const char* caption, AlertIcon icon) {
    if (DeliverToAlertSink("alert", text, caption)) return;
    MessageBoxA(nullptr, text, caption, MB_OK | IconFlag(icon));
}
