// The real lumeric2.8bf's About box, as a host shows it: PluginMain with
// selector 0 and an AboutRecord whose PlatformData holds a top-level window.
// A watcher thread finds the dialog, reads it, takes a screenshot and closes
// it the way a user would; the test then checks what it saw.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

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

// What the watcher saw while the box was open.
struct Seen {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    std::wstring caption, product, version, line, close;
    RECT box = {}, client = {};
    POINT clientOrigin = {};
    LOGFONTW titleFont = {}, bodyFont = {};
    HGDIOBJ titleFontHandle = nullptr;
    HGDIOBJ backgroundBrush = nullptr;
    LOGBRUSH brush = {};
    bool haveScreenshot = false;
    COLORREF cornerPixel = 0;
    std::string screenshotPath;
    bool closed = false;
};

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

// The box as it is on screen, saved as PNG; returns the client corner pixel.
bool Screenshot(Seen& seen, const std::string& path) {
    const int width = seen.box.right - seen.box.left, height = seen.box.bottom - seen.box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, seen.box.left, seen.box.top, SRCCOPY) != 0;
    SelectObject(memory, old);
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    const uint8_t* bgra = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; bits && i < size_t(width) * height; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }
    // A point of bare background: the client area's bottom-left corner.
    const int x = seen.clientOrigin.x - seen.box.left + 3;
    const int y = seen.clientOrigin.y - seen.box.top + seen.client.bottom - 4;
    if (x >= 0 && y >= 0 && x < width && y < height) {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        seen.cornerPixel = RGB(p[0], p[1], p[2]);
    }
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied && bits && WritePng(path, rgb.data(), width, height, 3);
}

void Watch(const AboutCase& about, Seen& seen) {
    if (!WaitFor([&] { return (seen.dialog = FindWindowW(L"#32770", L"About LumericII")) != nullptr; }, 10000)) return;
    WaitFor([&] { return IsWindowVisible(seen.dialog) != 0; }, 5000);
    Sleep(400);  // let the modal loop paint
    HWND dialog = seen.dialog;
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.caption = TextOf(dialog);
    seen.product = TextOf(GetDlgItem(dialog, kAboutProductText));
    seen.version = TextOf(GetDlgItem(dialog, kAboutVersionText));
    seen.line = TextOf(GetDlgItem(dialog, kAboutLineText));
    seen.close = TextOf(GetDlgItem(dialog, IDOK));
    GetWindowRect(dialog, &seen.box);
    GetClientRect(dialog, &seen.client);
    ClientToScreen(dialog, &seen.clientOrigin);

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
        seen.haveScreenshot = Screenshot(seen, seen.screenshotPath);
    }

    HWND button = GetDlgItem(dialog, IDOK);
    switch (about.closeBy) {
        case CloseBy::CloseButton: PostMessageW(button, BM_CLICK, 0, 0); break;
        case CloseBy::EscapeKey: PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0); break;
        case CloseBy::EnterKey: PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0); break;
        case CloseBy::CloseMessage: PostMessageW(dialog, WM_CLOSE, 0, 0); break;
    }
    seen.closed = WaitFor([&] { return !IsWindow(dialog); }, 5000);
    if (!seen.closed) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // do not leave the test hanging
}

class AboutBox : public ::testing::TestWithParam<AboutCase> {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryA(WindowsPath(LUMERIC_MODULE_PATH).c_str());
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
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
    std::thread watcher([&] { Watch(GetParam(), seen); });
    pluginMain(0, &record, &data, &result);  // returns once the box is closed
    watcher.join();

    ASSERT_NE(seen.dialog, nullptr) << "no window captioned \"About LumericII\" appeared";
    EXPECT_TRUE(seen.closed);
    EXPECT_FALSE(IsWindow(seen.dialog));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(data, 0);

    EXPECT_EQ(seen.caption, L"About LumericII");
    EXPECT_EQ(seen.product, L"LumericII");
    EXPECT_EQ(seen.version, L"Version 2.0.0");
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
