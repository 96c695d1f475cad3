// The real lumeric2.8bf's About box, as a host shows it: PluginMain with
// selector 0 and an AboutRecord whose PlatformData holds a top-level window.
// A hook on this thread sees the box shown, reads it and closes it as a
// user would; a timer ends a box left open, so that the test fails instead
// of hanging.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/PluginInterface.h"
#include "resources/ResourceIds.h"

namespace {

struct Seen {
    HWND dialog = nullptr, owner = nullptr;
    std::wstring version;
    RECT box = {};
    HGDIOBJ titleFont = nullptr;
    LOGFONTW title = {};
    bool forced = false;  // left open by the close action, ended by the timer
};

Seen* gSeen = nullptr;
UINT gClose = BM_CLICK;  // the close button, WM_KEYDOWN for Escape, or WM_CLOSE from the title bar

LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    wchar_t text[64] = {};
    if (code == HC_ACTION && call.message == WM_SHOWWINDOW && call.wParam && gSeen && !gSeen->dialog &&
        GetWindowTextW(call.hwnd, text, 64) && std::wstring(text) == L"About LumericII") {
        Seen& seen = *gSeen;
        seen.dialog = call.hwnd;
        seen.owner = GetWindow(call.hwnd, GW_OWNER);
        GetDlgItemTextW(call.hwnd, kAboutVersionText, text, 64);
        seen.version = text;
        GetWindowRect(call.hwnd, &seen.box);
        seen.titleFont = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(call.hwnd, kAboutProductText, WM_GETFONT, 0, 0));
        GetObjectW(seen.titleFont, sizeof seen.title, &seen.title);
        HWND target = gClose == WM_CLOSE ? call.hwnd : GetDlgItem(call.hwnd, IDOK);
        PostMessageW(target, gClose, gClose == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs in the box's own message loop; destroys the box, which ends the loop
// whatever the box does with its messages.
void CALLBACK EndTheBox(HWND, UINT, UINT_PTR, DWORD) {
    if (gSeen) gSeen->forced = true;
    if (HWND box = FindWindowW(L"#32770", L"About LumericII")) DestroyWindow(box);
}

TEST(AboutBox, OpensOverItsOwnerShowsTheVersionAndClosesCleanly) {
    std::string path = LUMERIC_MODULE_PATH;  // a Linux path: wine sees its root as drive Z:
    std::replace(path.begin(), path.end(), '/', '\\');
    HMODULE module = LoadLibraryA(("Z:" + path).c_str());
    ASSERT_NE(module, nullptr) << path;
    using PluginMainProc = void (*)(int16_t, void*, intptr_t*, int16_t*);
    auto pluginMain = reinterpret_cast<PluginMainProc>(reinterpret_cast<void*>(GetProcAddress(module, "PluginMain")));
    ASSERT_NE(pluginMain, nullptr);
    HWND host = CreateWindowExW(0, L"STATIC", L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 40, 900, 700,
                                nullptr, nullptr, nullptr, nullptr);
    PlatformData platform = {reinterpret_cast<intptr_t>(host)};
    for (const auto& [close, owned] : {std::make_pair(UINT(BM_CLICK), true), std::make_pair(UINT(WM_KEYDOWN), true),
                                       std::make_pair(UINT(WM_CLOSE), true), std::make_pair(UINT(BM_CLICK), false)}) {
        SCOPED_TRACE("close message " + std::to_string(close) + (owned ? ", owned" : ", no owner"));
        AboutRecord record = {};
        record.platformData = owned ? &platform : nullptr;
        intptr_t data = 0;
        int16_t result = 7;  // some hosts preset the word: About must answer noErr
        Seen seen;
        gSeen = &seen;
        gClose = close;
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchShowing, nullptr, GetCurrentThreadId());
        const UINT_PTR safety = SetTimer(nullptr, 0, 15000, EndTheBox);
        pluginMain(0, &record, &data, &result);  // returns once the box is closed
        KillTimer(nullptr, safety);
        UnhookWindowsHookEx(hook);
        gSeen = nullptr;

        ASSERT_NE(seen.dialog, nullptr) << "no About box appeared";
        EXPECT_FALSE(seen.forced) << "the close action left the box open";
        EXPECT_EQ(result, noErr);
        EXPECT_EQ(data, 0);
        EXPECT_EQ(seen.version, L"Version " LUMERIC_VERSION_W);
        EXPECT_EQ(seen.owner, owned ? host : nullptr);
        RECT anchor;  // centred over the owner, or over the work area without one
        if (owned) GetWindowRect(host, &anchor);
        else SystemParametersInfoW(SPI_GETWORKAREA, 0, &anchor, 0);
        EXPECT_NEAR(seen.box.left + seen.box.right, anchor.left + anchor.right, 2);
        EXPECT_NEAR(seen.box.top + seen.box.bottom, anchor.top + anchor.bottom, 2);
        EXPECT_GE(seen.title.lfWeight, FW_BOLD) << "the product name stands out";
        LOGFONTW font;
        EXPECT_EQ(GetObjectW(seen.titleFont, sizeof font, &font), 0) << "the box's font outlived it";
    }
    DestroyWindow(host);
    FreeLibrary(module);
}

}  // namespace
