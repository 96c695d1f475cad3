#include "WindowHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "controls/PushButtons.h"
#include "tests/support/PngReader.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TestFiles.h"

namespace {

Owner gOwner;
const UINT kRunStep = WM_APP + 1;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            gOwner.notes.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
            return 0;
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const RECT& r = item->rcItem;
            SkinButtonPainter(item->hDC, int(item->CtlID), item->itemState, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, &r);
            return TRUE;
        }
        case WM_ENTERIDLE:
            // The dialog manager reads one more message before it looks at
            // an EndDialog made right here, and drops it: the step runs as
            // a message of its own instead, as a click would.
            if (wParam == MSGF_DIALOGBOX) PostMessageA(window, kRunStep, 0, lParam);
            return 0;
        case kRunStep:
            if (gOwner.idleSteps.empty()) {
                gOwner.dialogLeftOpen = true;
                EndDialog(reinterpret_cast<HWND>(lParam), 0);
            } else {
                const std::function<void(HWND)> step = gOwner.idleSteps.front();
                gOwner.idleSteps.pop_front();
                step(reinterpret_cast<HWND>(lParam));
            }
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ArtifactPath(const std::string& name, const char* subfolder = "controls") {
    const char* root = std::getenv("LUMERIC_TEST_ARTIFACTS");
    const std::string folder =
        WindowsPath(root && *root ? root : LUMERIC_SOURCE_DIR "/build/test-artifacts") + "\\" + subfolder;
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name + ".png";
}

void WritePicture(const Picture& picture, const std::string& path) {
    std::vector<uint8_t> rgb;
    for (uint32_t p : picture.pixels) rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    EXPECT_TRUE(WritePng(path, rgb.data(), picture.width, picture.height, 3)) << path;
}

// Runs `draw` on a memory context holding a 32-bit top-down bitmap and
// returns what it drew.
template <class Draw>
Picture DrawInMemory(int width, int height, Draw draw) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    Picture picture{width, height, std::vector<uint32_t>(pixels, pixels + size_t(width) * height)};
    for (uint32_t& p : picture.pixels) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

}  // namespace

Owner& TheOwner() { return gOwner; }

HWND CreateOwnerWindow(int width, int height) {
    // One owner for the whole program: wine waits two seconds for a window
    // manager (there is none on the virtual screen) whenever an activated
    // top-level window goes away.
    static HWND window = nullptr;
    if (!window) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = CreateSolidBrush(RGB(232, 232, 232));
        windowClass.lpszClassName = "LumericControlsTestOwner";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "LumericControlsTestOwner", "Controls", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    while (HWND child = GetWindow(window, GW_CHILD)) DestroyWindow(child);
    Pump();
    gOwner = Owner();
    gOwner.window = window;
    SetWindowPos(window, HWND_TOP, 0, 0, width, height, SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    SetFocus(window);
    return window;
}

HWND CreateControl(const char* className, int id, int x, int y, int width, int height, void* record) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, x, y, width, height, gOwner.window,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), record);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    return SendMessageA(window, message, keys, MAKELPARAM(WORD(short(x)), WORD(short(y))));
}

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<Notification> NotesFrom(int id) {
    std::vector<Notification> found;
    std::copy_if(gOwner.notes.begin(), gOwner.notes.end(), std::back_inserter(found),
                 [id](const Notification& note) { return note.id == id; });
    return found;
}

Picture PrintClient(HWND window, int width, int height) {
    return DrawInMemory(width, height, [&](HDC dc) {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

Picture Grab(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return DrawInMemory(client.right, client.bottom, [&](HDC dc) {
        HDC source = GetDC(window);
        BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    });
}

Picture Beside(const std::vector<Picture>& pictures, int gap) {
    Picture out;
    for (const Picture& p : pictures) {
        out.width += p.width + gap;
        out.height = std::max(out.height, p.height);
    }
    out.width = std::max(out.width - gap, 0);
    out.pixels.assign(size_t(out.width) * out.height, 0xE8E8E8);
    int left = 0;
    for (const Picture& p : pictures) {
        for (int y = 0; y < p.height; ++y)
            std::copy_n(&p.pixels[size_t(y) * p.width], p.width, &out.pixels[size_t(y) * out.width + left]);
        left += p.width + gap;
    }
    return out;
}

void SaveArtifact(const Picture& picture, const std::string& name, const char* folder) {
    WritePicture(picture, ArtifactPath(name, folder));
}

void ExpectMatchesReference(const Picture& picture, const std::string& name) {
    const std::string reference = WindowsPath(LUMERIC_SOURCE_DIR "/tests/controls/reference/" + name + ".png");
    const char* update = std::getenv("LUMERIC_UPDATE_REFERENCES");
    if (update && *update == '1') return WritePicture(picture, reference);
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    const bool read = ReadTestPng(reference, &rgba, &width, &height);
    int differing = read && width == picture.width && height == picture.height ? 0 : -1;
    Picture difference = picture;  // unchanged pixels faded, changed ones red
    for (size_t i = 0; differing >= 0 && i < picture.pixels.size(); ++i) {
        const uint32_t expected = uint32_t(rgba[4 * i]) << 16 | uint32_t(rgba[4 * i + 1]) << 8 | rgba[4 * i + 2];
        const bool same = expected == picture.pixels[i];
        differing += !same;
        difference.pixels[i] = same ? (picture.pixels[i] >> 2 & 0x3F3F3F) + 0xA0A0A0 : 0xFF0000;
    }
    if (differing == 0) return;
    SaveArtifact(picture, name + "-actual");
    if (differing > 0) SaveArtifact(difference, name + "-difference");
    ADD_FAILURE() << name << ": " << (differing < 0 ? "no reference of this size at " + reference
                                                    : std::to_string(differing) + " pixels differ from the reference")
                  << " (the picture is saved as an artifact)";
}
