// The eight classes the dialog never creates a window of ("Control CPP",
// "Contaner CPP", ...): registered so that the class table is complete,
// each a plain window with a bare record that paints its background.
#include <windows.h>

#include "controls/ControlFrame.h"
#include "controls/ToolkitClasses.h"

namespace {

struct PlainState {
    ControlState head;
};

LRESULT Handle(ControlState* head, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PRINTCLIENT) {
        FillBackground(reinterpret_cast<HDC>(wParam), RECT{0, 0, head->width, head->height});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const ControlClassOps kClickFocusOps = {CreateRecord<PlainState>, DestroyRecord<PlainState>, Handle, true};
const ControlClassOps kOps = {CreateRecord<PlainState>, DestroyRecord<PlainState>, Handle, false};

}  // namespace

// Classes that take the focus when clicked, as their full versions do.
LRESULT CALLBACK PlainFocusControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kClickFocusOps, window, message, wParam, lParam);
}

LRESULT CALLBACK PlainControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kOps, window, message, wParam, lParam);
}
