// The real lumeric2.8bf's About box, as a host shows it: PluginMain with
// selector 0 and an AboutRecord whose PlatformData holds a top-level window.
// A hook on this thread sees the box being shown, reads it and sends the
// close action a user would; a timer ends a box the action left open, so
// that the test fails instead of hanging.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/PluginInterface.h"
#include "resources/ResourceIds.h"

namespace {

using PluginMainProc = void (*)(int16_t, void*, intptr_t*, int16_t*);

// Paths from the build are Linux paths; wine sees the root as drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

enum class CloseBy { CloseButton, EscapeKey, TitleBarClose };

struct AboutCase {
    const char* name;
    CloseBy closeBy;
    bool owned;  // the AboutRecord names a host window
};

void PrintTo(const AboutCase& about, std::ostream* out) { *out << about.name; }

// What the hook saw while the box was open.
struct Seen {
    HWND dialog = nullptr, owner = nullptr;
    std::wstring product, version;
    RECT box = {};
    LOGFONTW titleFont = {}, bodyFont = {};
    HGDIOBJ titleFontHandle = nullptr, backgroundBrush = nullptr;
    LOGBRUSH brush = {};
    bool forced = false;  // still open after the close action, so ended by the timer
};

Seen* gSeen = nullptr;
CloseBy gCloseBy = CloseBy::CloseButton;

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

void Inspect(HWND dialog, Seen& seen) {
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.product = TextOf(GetDlgItem(dialog, kAboutProductText));
    seen.version = TextOf(GetDlgItem(dialog, kAboutVersionText));
    GetWindowRect(dialog, &seen.box);
    HWND line = GetDlgItem(dialog, kAboutLineText);
    seen.titleFontHandle = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(dialog, kAboutProductText, WM_GETFONT, 0, 0));
    GetObjectW(seen.titleFontHandle, sizeof seen.titleFont, &seen.titleFont);
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)), sizeof seen.bodyFont, &seen.bodyFont);
    HDC dc = GetDC(dialog);
    seen.backgroundBrush = reinterpret_cast<HGDIOBJ>(
        SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(line)));
    ReleaseDC(dialog, dc);
    GetObjectW(seen.backgroundBrush, sizeof seen.brush, &seen.brush);
}

// Sees the box being shown: reads it, then closes it.
LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == WM_SHOWWINDOW && call.wParam && gSeen && !gSeen->dialog &&
        TextOf(call.hwnd) == L"About LumericII") {
        gSeen->dialog = call.hwnd;
        Inspect(call.hwnd, *gSeen);
        HWND button = GetDlgItem(call.hwnd, IDOK);
        switch (gCloseBy) {
            case CloseBy::CloseButton: PostMessageW(button, BM_CLICK, 0, 0); break;
            case CloseBy::EscapeKey: PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0); break;
            case CloseBy::TitleBarClose: PostMessageW(call.hwnd, WM_CLOSE, 0, 0); break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs in the box's own message loop, only when the box outlived the close
// action or never showed.
void CALLBACK EndTheBox(HWND, UINT, UINT_PTR, DWORD) {
    if (gSeen) gSeen->forced = true;
    if (HWND box = FindWindowW(L"#32770", L"About LumericII")) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

class AboutBox : public ::testing::TestWithParam<AboutCase> {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryA(WindowsPath(LUMERIC_MODULE_PATH).c_str());
        host = CreateWindowExW(0, L"STATIC", L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 40, 900, 700,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() {
        if (host) DestroyWindow(host);
        if (module) FreeLibrary(module);
    }

    static HMODULE module;
    static HWND host;
};

HMODULE AboutBox::module = nullptr;
HWND AboutBox::host = nullptr;

TEST_P(AboutBox, OpensOverItsOwnerShowsTheProductAndClosesCleanly) {
    ASSERT_NE(module, nullptr) << "cannot load " << WindowsPath(LUMERIC_MODULE_PATH);
    ASSERT_NE(host, nullptr);
    auto pluginMain = reinterpret_cast<PluginMainProc>(reinterpret_cast<void*>(GetProcAddress(module, "PluginMain")));
    ASSERT_NE(pluginMain, nullptr);
    PlatformData platform = {reinterpret_cast<intptr_t>(host)};
    AboutRecord record = {};
    record.platformData = GetParam().owned ? &platform : nullptr;
    intptr_t data = 0;
    int16_t result = 7;  // selector 0 must leave it alone

    Seen seen;
    gSeen = &seen;
    gCloseBy = GetParam().closeBy;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchShowing, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const UINT_PTR safety = SetTimer(nullptr, 0, 15000, EndTheBox);
    pluginMain(0, &record, &data, &result);  // returns once the box is closed
    KillTimer(nullptr, safety);
    UnhookWindowsHookEx(hook);
    gSeen = nullptr;

    ASSERT_NE(seen.dialog, nullptr) << "no window captioned \"About LumericII\" appeared";
    EXPECT_FALSE(seen.forced) << "the close action left the box open";
    EXPECT_FALSE(IsWindow(seen.dialog));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(data, 0);
    EXPECT_EQ(seen.product, L"LumericII");
    EXPECT_EQ(seen.version, L"Version " LUMERIC_VERSION_W);
    EXPECT_EQ(seen.owner, GetParam().owned ? host : nullptr);

    // Centred over the owner, or over the work area without one.
    RECT anchor;
    if (GetParam().owned) {
        GetWindowRect(host, &anchor);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &anchor, 0);
    }
    EXPECT_NEAR((seen.box.left + seen.box.right) / 2, (anchor.left + anchor.right) / 2, 1);
    EXPECT_NEAR((seen.box.top + seen.box.bottom) / 2, (anchor.top + anchor.bottom) / 2, 1);

    // The product name stands out: bold and larger than the other lines.
    EXPECT_GE(seen.titleFont.lfWeight, FW_BOLD);
    EXPECT_GT(std::abs(seen.titleFont.lfHeight), std::abs(seen.bodyFont.lfHeight));
    EXPECT_LT(seen.bodyFont.lfWeight, FW_BOLD);
    EXPECT_EQ(seen.brush.lbColor, RGB(232, 232, 232));

    // Font and brush belong to this showing only: gone once it has closed.
    LOGFONTW font;
    LOGBRUSH brush;
    EXPECT_EQ(GetObjectW(seen.titleFontHandle, sizeof font, &font), 0);
    EXPECT_EQ(GetObjectW(seen.backgroundBrush, sizeof brush, &brush), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBox,
                         ::testing::Values(AboutCase{"CloseButton", CloseBy::CloseButton, true},
                                           AboutCase{"Escape", CloseBy::EscapeKey, true},
                                           AboutCase{"TitleBarClose", CloseBy::TitleBarClose, true},
                                           AboutCase{"NoOwner", CloseBy::CloseButton, false}),
                         [](const ::testing::TestParamInfo<AboutCase>& info) { return info.param.name; });

}  // namespace
