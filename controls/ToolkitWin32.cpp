// Registering the toolkit: shared colour, brush and fonts, the common
// controls, the thirteen classes in their order, the skins.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <vector>

#include "controls/ControlFrame.h"
#include "controls/ControlState.h"
#include "controls/DpiScale.h"
#include "controls/PixelResample.h"
#include "controls/PreviewPane.h"
#include "controls/PushButtons.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"
#include "controls/Toolkit.h"
#include "controls/ToolkitClasses.h"
#include "resources/ResourceIds.h"

ToolkitResources gToolkit;

namespace {

struct ClassEntry {
    const char* name;
    WNDPROC procedure;
    LPCSTR cursor;
};

// Registered and unregistered in this order.
const ClassEntry kClasses[] = {
    {kControlClass, PlainFocusControlProc, IDC_ARROW},
    {kButtonFireClass, PlainFocusControlProc, IDC_ARROW},
    {kGlassClass, PlainFocusControlProc, IDC_ARROW},
    {kControlButtonClass, ControlButtonProc, IDC_ARROW},
    {kAnimContainerClass, PlainFocusControlProc, IDC_ARROW},
    {kContainerClass, PlainFocusControlProc, IDC_ARROW},
    {kRotorClass, RotorProc, IDC_ARROW},
    {kMacSliderClass, MacSliderProc, IDC_ARROW},
    {kGlassSliderClass, PlainControlProc, IDC_ARROW},
    {kPreviewContainerClass, PreviewPaneProc, IDC_SIZEALL},
    {kColorContainerClass, PlainControlProc, IDC_ARROW},
    {kSpinEditClass, SpinEditProc, IDC_ARROW},
    {kColorEqualizerClass, PlainControlProc, IDC_ARROW},
};

HFONT MakeArial(int height) {
    return CreateFontA(ScaleToToolkitDpi(height), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

bool RegisterClasses(HINSTANCE instance) {
    for (const ClassEntry& entry : kClasses) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = entry.procedure;
        windowClass.cbWndExtra = 4;  // unused: the record lives in GWLP_USERDATA
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, entry.cursor);
        windowClass.hbrBackground = gToolkit.backgroundBrush;
        windowClass.lpszClassName = entry.name;
        if (!RegisterClassA(&windowClass)) return false;
    }
    return true;
}

// The pixels of a bitmap as 0x00RRGGBB, top-down.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::vector<uint32_t>& pixels) {
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    pixels.assign(size_t(width) * height, 0);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

HBITMAP MakeBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

int ScaleToToolkitDpi(int pixels) { return ScaleForDpi(pixels, gToolkit.dpi); }

HBITMAP LoadToolkitBitmap(HINSTANCE instance, int identifier) {
    const int artScale = ArtworkScaleForDpi(gToolkit.dpi);
    HBITMAP art = artScale == 2 ? LoadBitmapA(instance, MAKEINTRESOURCEA(identifier + kDoubleSizeBitmapOffset)) : nullptr;
    const int scale = art ? 2 : 1;
    if (!art) art = LoadBitmapA(instance, MAKEINTRESOURCEA(identifier));
    BITMAP size = {};
    if (!art || !GetObjectA(art, sizeof size, &size)) return art;
    // The size the picture has at 96 DPI, scaled to the toolkit's DPI.
    const int width = ScaleToToolkitDpi(size.bmWidth / scale), height = ScaleToToolkitDpi(size.bmHeight / scale);
    if (width == size.bmWidth && height == size.bmHeight) return art;
    std::vector<uint32_t> source, target(size_t(width) * height);
    HBITMAP resized = nullptr;
    if (width > 0 && height > 0 && ReadPixels(art, size.bmWidth, size.bmHeight, source)) {
        ResamplePixels(source.data(), size.bmWidth, size.bmHeight, target.data(), width, height);
        resized = MakeBitmap(target, width, height);
    }
    if (!resized) return art;  // the unscaled picture rather than none
    DeleteObject(art);
    return resized;
}

bool RegisterToolkit(HINSTANCE instance) { return RegisterToolkit(instance, ScreenDpi()); }

bool RegisterToolkit(HINSTANCE instance, int dpi) {
    UnregisterToolkit(instance);  // a register without its unregister leaves nothing behind
    gToolkit = ToolkitResources();
    gToolkit.dpi = dpi > 0 ? dpi : kBaseDpi;
    gToolkit.backgroundBrush = CreateSolidBrush(gToolkit.background);
    gToolkit.editFont = MakeArial(12);
    gToolkit.labelFont = MakeArial(14);
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    ResetSkinHoverFlags();
    if (!RegisterClasses(instance)) {
        UnregisterToolkit(instance);
        return false;
    }
    for (int i = 0; i < 12; ++i) gToolkit.skins[i] = LoadToolkitBitmap(instance, kSkinNormalRightBitmap + i);
    return true;
}

void UnregisterToolkit(HINSTANCE instance) {
    for (HBITMAP& skin : gToolkit.skins) {
        if (skin) DeleteObject(skin);
        skin = nullptr;
    }
    if (gToolkit.backgroundBrush) DeleteObject(gToolkit.backgroundBrush);
    gToolkit.backgroundBrush = nullptr;
    for (const ClassEntry& entry : kClasses) UnregisterClassA(entry.name, instance);
    for (HFONT* font : {&gToolkit.editFont, &gToolkit.labelFont}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
}
