// The real lumeric2.8bf's About box, as a host shows it: PluginMain with
// selector 0 and an AboutRecord whose PlatformData holds a top-level window.
// A hook on this thread sees the box being shown and hands it to the host
// window; inside the box's own modal loop, the host window's procedure reads
// the box, takes a picture of it and closes it the way a user would. The
// test then checks what it saw.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/PluginInterface.h"
#include "resources/ResourceIds.h"
#include "tests/support/PngWriter.h"

namespace {

using PluginMainProc = void (*)(int16_t, void*, intptr_t*, int16_t*);

const COLORREF kExpectedBackground = RGB(232, 232, 232);

// Paths from the build are Linux paths; wine sees the root as drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ArtifactsDirectory() {
    const char* fromEnvironment = std::getenv("LUMERIC_TEST_ARTIFACTS");
    std::string dir = WindowsPath(fromEnvironment && *fromEnvironment ? fromEnvironment
                                                                      : LUMERIC_SOURCE_DIR "/build/test-artifacts");
    for (size_t at = dir.find('\\', 3); at != std::string::npos; at = dir.find('\\', at + 1))
        CreateDirectoryA(dir.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

enum class CloseBy { CloseButton, EscapeKey, EnterKey, CloseMessage };

struct AboutCase {
    const char* name;
    CloseBy closeBy;
    bool owned;       // the AboutRecord names a host window
    bool screenshot;  // save a picture of the box
};

void PrintTo(const AboutCase& about, std::ostream* out) { *out << about.name; }

// What the host window saw while the box was open.
struct Seen {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    std::wstring caption, product, version, line, close;
    RECT box = {}, client = {};
    LOGFONTW titleFont = {}, bodyFont = {};
    HGDIOBJ titleFontHandle = nullptr;
    HGDIOBJ backgroundBrush = nullptr;
    LOGBRUSH brush = {};
    bool haveScreenshot = false;
    COLORREF cornerPixel = 0;
    std::string screenshotPath;
    bool forced = false;  // still open after the close action, so ended by the test
};

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The box's client area as it paints itself (the dialog, then each control
// at its place, print into one bitmap), saved as PNG; notes the colour of
// the bottom-left corner, a point of bare background.
bool Screenshot(HWND dialog, Seen& seen, const std::string& path) {
    const int width = seen.client.right, height = seen.client.bottom;
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    SendMessageW(dialog, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    // Each control prints at the origin of a DC of its own (controls clip
    // to their client rectangle as if the origin were theirs), then goes
    // into place.
    HDC piece = CreateCompatibleDC(memory);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        const int w = place.right - place.left, h = place.bottom - place.top;
        HBITMAP bitmap = CreateCompatibleBitmap(memory, w, h);
        HGDIOBJ previous = SelectObject(piece, bitmap);
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(piece), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        BitBlt(memory, place.left, place.top, w, h, piece, 0, 0, SRCCOPY);
        SelectObject(piece, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(piece);
    GdiFlush();
    SelectObject(memory, old);
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    const uint8_t* bgra = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; bits && i < size_t(width) * height; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }
    if (bits && width > 3 && height > 4) {
        const uint8_t* p = &rgb[(size_t(height - 4) * width + 3) * 3];
        seen.cornerPixel = RGB(p[0], p[1], p[2]);
    }
    DeleteObject(picture);
    DeleteDC(memory);
    return bits && WritePng(path, rgb.data(), width, height, 3);
}

// Reads the open box, pictures it and sends the close action.
void Inspect(const AboutCase& about, Seen& seen) {
    HWND dialog = seen.dialog;
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.caption = TextOf(dialog);
    seen.product = TextOf(GetDlgItem(dialog, kAboutProductText));
    seen.version = TextOf(GetDlgItem(dialog, kAboutVersionText));
    seen.line = TextOf(GetDlgItem(dialog, kAboutLineText));
    seen.close = TextOf(GetDlgItem(dialog, IDOK));
    GetWindowRect(dialog, &seen.box);
    GetClientRect(dialog, &seen.client);

    HFONT title = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, kAboutProductText), WM_GETFONT, 0, 0));
    HFONT body = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, kAboutLineText), WM_GETFONT, 0, 0));
    seen.titleFontHandle = title;
    GetObjectW(title, sizeof seen.titleFont, &seen.titleFont);
    GetObjectW(body, sizeof seen.bodyFont, &seen.bodyFont);
    HDC dc = GetDC(dialog);
    seen.backgroundBrush = reinterpret_cast<HGDIOBJ>(SendMessageW(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dialog, kAboutLineText))));
    ReleaseDC(dialog, dc);
    GetObjectW(seen.backgroundBrush, sizeof seen.brush, &seen.brush);

    if (about.screenshot) {
        seen.screenshotPath = ArtifactsDirectory() + "\\about-box.png";
        seen.haveScreenshot = Screenshot(dialog, seen, seen.screenshotPath);
    }

    HWND button = GetDlgItem(dialog, IDOK);
    switch (about.closeBy) {
        case CloseBy::CloseButton: PostMessageW(button, BM_CLICK, 0, 0); break;
        case CloseBy::EscapeKey: PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0); break;
        case CloseBy::EnterKey: PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0); break;
        case CloseBy::CloseMessage: PostMessageW(dialog, WM_CLOSE, 0, 0); break;
    }
}

constexpr UINT kInspectBox = WM_APP + 1;
constexpr UINT kCheckClosed = WM_APP + 2;

// The showing under way, for the hook and the host window's procedure.
struct Showing {
    const AboutCase* about = nullptr;
    Seen* seen = nullptr;
    HWND host = nullptr;
};
Showing gShowing;

// Sees the box being shown; the inspection runs once ShowWindow is done.
LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == WM_SHOWWINDOW && call.wParam && gShowing.seen && !gShowing.seen->dialog) {
        wchar_t className[16] = {};
        GetClassNameW(call.hwnd, className, 16);
        if (std::wstring(className) == L"#32770" && TextOf(call.hwnd) == L"About LumericII") {
            gShowing.seen->dialog = call.hwnd;
            PostMessageW(gShowing.host, kInspectBox, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kInspectBox && gShowing.seen) {
        Inspect(*gShowing.about, *gShowing.seen);
        // Queued behind the close action: if the box is still there, the
        // action did not close it; end it so that the test cannot hang.
        PostMessageW(window, kCheckClosed, 0, 0);
        return 0;
    }
    if (message == kCheckClosed && gShowing.seen) {
        if (IsWindow(gShowing.seen->dialog)) {
            gShowing.seen->forced = true;
            PostMessageW(gShowing.seen->dialog, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (message == WM_TIMER && gShowing.seen) {
        // The box never showed, or never reached the host window: close
        // whatever is open, so that the test fails instead of hanging.
        KillTimer(window, wParam);
        if (HWND box = FindWindowW(L"#32770", L"About LumericII")) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class AboutBox : public ::testing::TestWithParam<AboutCase> {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryA(WindowsPath(LUMERIC_MODULE_PATH).c_str());
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LumericTestHost";
        RegisterClassW(&windowClass);
        host = CreateWindowExW(0, L"LumericTestHost", L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 40, 900,
                               700, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
    gShowing = Showing{&GetParam(), &seen, host};
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchShowing, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const UINT_PTR safety = SetTimer(host, 1, 30000, nullptr);
    pluginMain(0, &record, &data, &result);  // returns once the box is closed
    KillTimer(host, safety);
    UnhookWindowsHookEx(hook);
    gShowing = Showing{};
    MSG leftOver;  // a check queued after the box had closed
    while (PeekMessageW(&leftOver, host, kInspectBox, kCheckClosed, PM_REMOVE)) {
    }

    ASSERT_NE(seen.dialog, nullptr) << "no window captioned \"About LumericII\" appeared";
    EXPECT_FALSE(seen.forced) << "the close action left the box open";
    EXPECT_FALSE(IsWindow(seen.dialog));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(data, 0);

    EXPECT_EQ(seen.caption, L"About LumericII");
    EXPECT_EQ(seen.product, L"LumericII");
    EXPECT_EQ(seen.version, L"Version " LUMERIC_VERSION_W);
    EXPECT_EQ(seen.line, L"Plug-in filter for Adobe\u00AE Photoshop\u00AE.");
    EXPECT_EQ(seen.close, L"Close");
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
    EXPECT_EQ(seen.brush.lbColor, kExpectedBackground);

    // Font and brush belong to this showing only: gone once it has closed.
    LOGFONTW font;
    LOGBRUSH brush;
    EXPECT_EQ(GetObjectW(seen.titleFontHandle, sizeof font, &font), 0);
    EXPECT_EQ(GetObjectW(seen.backgroundBrush, sizeof brush, &brush), 0);

    if (GetParam().screenshot) {
        EXPECT_TRUE(seen.haveScreenshot) << seen.screenshotPath;
        EXPECT_EQ(seen.cornerPixel, kExpectedBackground);
        std::printf("About box screenshot: %s\n", seen.screenshotPath.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBox,
                         ::testing::Values(AboutCase{"CloseButton", CloseBy::CloseButton, true, true},
                                           AboutCase{"Escape", CloseBy::EscapeKey, true, false},
                                           AboutCase{"Enter", CloseBy::EnterKey, true, false},
                                           AboutCase{"TitleBarClose", CloseBy::CloseMessage, true, false},
                                           AboutCase{"NoOwner", CloseBy::CloseButton, false, false}),
                         [](const ::testing::TestParamInfo<AboutCase>& info) { return info.param.name; });

}  // namespace
