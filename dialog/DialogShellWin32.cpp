// The dialog's small services: tooltips, the skinned buttons' painting, the
// help page on a thread of its own, and the preset files' icon in the
// shell.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <string>

#include "dialog/DialogSession.h"
#include "dialog/Utf8Files.h"

namespace {

std::atomic<bool> gHelpLaunching{false};

struct HelpLaunch {
    std::wstring page;
    HWND owner;
};

// The thread holds a reference to the module, so the host may unload it
// while the browser starts: FreeLibraryAndExitThread drops it last.
DWORD WINAPI LaunchHelp(void* parameter) {
    HelpLaunch* launch = static_cast<HelpLaunch*>(parameter);
    ShellExecuteW(launch->owner, L"open", launch->page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    delete launch;
    gHelpLaunching = false;
    FreeLibraryAndExitThread(static_cast<HMODULE>(gModule.moduleInstance), 0);
    return 0;
}

std::wstring ModulePathWide() {
    wchar_t path[1024] = {};
    const DWORD n = GetModuleFileNameW(static_cast<HMODULE>(gModule.moduleInstance), path, 1024);
    return n > 0 && n < 1024 ? std::wstring(path) : std::wstring();
}

LONG SetDefaultValue(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    const LONG created = RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                         &handle, nullptr);
    if (created != ERROR_SUCCESS) return created;
    const LONG set = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    DWORD((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return set;
}

}  // namespace

void OpenHelpPage() {
    bool idle = false;
    if (!gHelpLaunching.compare_exchange_strong(idle, true)) return;  // one launch at a time
    HelpLaunch* launch = new HelpLaunch{std::wstring(), gDialog.window};
    HMODULE self = nullptr;
    if (!WideFromUtf8(gDialog.helpPage, &launch->page) ||
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&LaunchHelp), &self)) {
        delete launch;
        gHelpLaunching = false;
        return;
    }
    HANDLE thread = CreateThread(nullptr, 0, LaunchHelp, launch, 0, nullptr);
    if (!thread) {
        FreeLibrary(self);
        delete launch;
        gHelpLaunching = false;
        return;
    }
    CloseHandle(thread);
}

void AttachTooltip(HWND control, const char* text) {
    if (!control || !text || !*text) return;
    HWND tip = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                               static_cast<HINSTANCE>(gModule.moduleInstance), nullptr);
    if (!tip) return;
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_CENTERTIP | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.lpszText = const_cast<char*>(text);
    GetClientRect(control, &tool.rect);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 100);
}

void PaintOwnerDrawnButton(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    SkinButtonPainter(item.hDC, int(item.CtlID), item.itemState, r.left, r.top, r.right - r.left, r.bottom - r.top, &r);
}

// Under HKEY_CURRENT_USER\Software\Classes, which HKEY_CLASSES_ROOT shows
// to the user: writing HKEY_CLASSES_ROOT itself needs administrator rights.
LONG RegisterPresetFileType(const wchar_t* extension, const wchar_t* className) {
    const std::wstring classes = L"Software\\Classes\\";
    const LONG error = SetDefaultValue(classes + extension, className);
    if (error != ERROR_SUCCESS) return error;
    return SetDefaultValue(classes + className + L"\\DefaultIcon", ModulePathWide() + L",0");
}
