#include "cli/windows/ModuleMessages.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool gRoute = false;
thread_local HHOOK tHook = nullptr;
thread_local int tDepth = 0;

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

std::string ClassOf(HWND window) {
    char name[64] = {};
    return GetClassNameA(window, name, sizeof name) ? std::string(name) : std::string();
}

// A dialog whose text sits in the 0xFFFF static and whose children are only
// statics and a few buttons. The module's own dialogs have edits, lists or
// controls of their own classes, and the About box names its statics.
bool IsMessageBox(HWND window) {
    if (ClassOf(window) != "#32770") return false;
    HWND text = GetDlgItem(window, kMessageTextId);
    if (!text || lstrcmpiA(ClassOf(text).c_str(), "Static") != 0) return false;
    int buttons = 0;
    bool onlyPlainControls = true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = ClassOf(child);
        if (lstrcmpiA(kind.c_str(), "Button") == 0) {
            ++buttons;
        } else if (lstrcmpiA(kind.c_str(), "Static") != 0) {
            onlyPlainControls = false;
        }
    }
    return onlyPlainControls && buttons >= 1 && buttons <= 4;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(size_t(length > 0 ? length : 0) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], int(text.size()));
    text.resize(size_t(got > 0 ? got : 0));
    return text;
}

// The answer that changes nothing: OK, else Cancel, else No.
int HarmlessButton(HWND box) {
    for (int id : {IDOK, IDCANCEL, IDNO, IDIGNORE, IDCLOSE}) {
        if (GetDlgItem(box, id)) return id;
    }
    return IDCANCEL;
}

LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(window)) {
            std::string text = WindowText(GetDlgItem(window, kMessageTextId));
            for (char& c : text) {
                if (c == '\r') c = ' ';
            }
            std::fprintf(stderr, "lumeric: warning: %s\n", text.c_str());
            std::fflush(stderr);
            const int button = HarmlessButton(window);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void SetModuleMessagesToConsole(bool route) { gRoute = route; }

bool ModuleMessagesGoToConsole() { return gRoute; }

ModuleMessageScope::ModuleMessageScope() {
    if (!gRoute) return;
    if (tDepth++ == 0) tHook = SetWindowsHookExW(WH_CBT, WatchActivations, nullptr, GetCurrentThreadId());
    installed_ = true;
}

ModuleMessageScope::~ModuleMessageScope() {
    if (!installed_) return;
    if (--tDepth == 0 && tHook) {
        UnhookWindowsHookEx(tHook);
        tHook = nullptr;
    }
}
