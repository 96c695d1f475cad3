// Skinned owner-drawn buttons: the painter and the hover-tracking subclass.
#include <windows.h>

#include "controls/ButtonModel.h"
#include "controls/ControlFrame.h"
#include "controls/PushButtons.h"
#include "controls/Toolkit.h"
#include "controls/ToolkitClasses.h"
#include "resources/ResourceIds.h"

namespace {

const char* const kHoverLinkProperty = "LumericHoverLink";
const COLORREF kDisabledCaption = RGB(127, 127, 127);

BYTE gHoverFlags[5];

// What HoverButtonProc keeps per button, in a window property: the button's
// own slots stay the button's.
struct HoverLink {
    WNDPROC previous;
    BYTE* flag;
};

HBITMAP Skin(SkinSet set, SkinPiece piece) {
    const int index = SkinBitmapId(set, piece) - kSkinNormalRightBitmap;
    return index >= 0 && index < 12 ? gToolkit.skins[index] : nullptr;
}

void CopySkin(HDC target, HDC source, HBITMAP skin, int x, int width, int capWidth, int capHeight) {
    if (!skin || width <= 0) return;
    HGDIOBJ old = SelectObject(source, skin);
    StretchBlt(target, x, 0, width, capHeight, source, 0, 0, capWidth, capHeight, SRCCOPY);
    SelectObject(source, old);
}

void ComposeSkin(HDC target, SkinSet set, int width, int height) {
    const RECT all = {0, 0, width, height};
    FillBackground(target, all);  // below the skins when the button is taller
    const int capWidth = ScaleToToolkitDpi(18), capHeight = ScaleToToolkitDpi(24);
    HDC source = CreateCompatibleDC(target);
    if (!source) return;
    const SkinLayout layout = LayOutSkin(width, capWidth);
    CopySkin(target, source, Skin(set, SkinPiece::Left), layout.left.left, layout.left.width, capWidth, capHeight);
    CopySkin(target, source, Skin(set, SkinPiece::Right), layout.right.left, layout.right.width, capWidth, capHeight);
    CopySkin(target, source, Skin(set, SkinPiece::Middle), layout.middle.left, layout.middle.width, capWidth,
             capHeight);
    DeleteDC(source);
}

void DrawCaption(HDC dc, int identifier, bool disabled, RECT box) {
    const char* caption = SkinCaption(identifier);
    if (!caption) return;
    box.top += ScaleToToolkitDpi(4);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? kDisabledCaption : RGB(0, 0, 0));
    HGDIOBJ oldFont = gToolkit.labelFont ? SelectObject(dc, gToolkit.labelFont) : nullptr;
    DrawTextA(dc, caption, -1, &box, DT_CENTER);
    if (oldFont) SelectObject(dc, oldFont);
}

void Apply(HWND button, const ButtonActions& actions) {
    if (actions.capture) SetCapture(button);
    if (actions.releaseCapture && GetCapture() == button) ReleaseCapture();
    if (actions.repaint) RedrawNow(button);
}

LRESULT Track(HWND button, HoverLink& link, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE: {
            RECT client;
            GetClientRect(button, &client);
            const POINT point = MousePoint(lParam);
            Apply(button, HoverMove(*link.flag, point.x - client.left, point.y - client.top,
                                    client.right - client.left, client.bottom - client.top, (wParam & MK_LBUTTON) != 0));
            break;
        }
        case WM_LBUTTONUP:
            Apply(button, HoverEnd(*link.flag));
            break;
        case WM_CAPTURECHANGED:
            // Capture gone elsewhere (a menu, a message box, the button's
            // own release): the mouse is no longer known to be over it.
            if (reinterpret_cast<HWND>(lParam) != button) Apply(button, HoverEnd(*link.flag));
            break;
    }
    return CallWindowProcA(link.previous, button, message, wParam, lParam);
}

}  // namespace

BYTE* SkinHoverFlag(int identifier) {
    const int index = SkinButtonIndex(identifier);
    return index < 0 ? nullptr : &gHoverFlags[index];
}

void ResetSkinHoverFlags() {
    for (BYTE& flag : gHoverFlags) flag = 0;
}

void SkinButtonPainter(HDC dc, int identifier, UINT itemState, int x, int y, int width, int height,
                       const RECT* textRect) {
    if (!dc || width <= 0 || height <= 0) return;
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    const BYTE* hover = SkinHoverFlag(identifier);
    const SkinSet set = ChooseSkinSet(disabled, (itemState & ODS_SELECTED) != 0, hover && *hover, identifier);

    HDC memory = CreateCompatibleDC(dc);
    HBITMAP buffer = CreateCompatibleBitmap(dc, width, height);
    if (!memory || !buffer) {
        if (buffer) DeleteObject(buffer);
        if (memory) DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, buffer);
    ComposeSkin(memory, set, width, height);
    RECT box = textRect ? *textRect : RECT{x, y, x + width, y + height};
    OffsetRect(&box, -x, -y);
    DrawCaption(memory, identifier, disabled, box);
    BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(buffer);
    DeleteDC(memory);
}

bool InstallHoverButtonProc(HWND button, BYTE* hoverFlag) {
    if (!button || !hoverFlag || GetPropA(button, kHoverLinkProperty)) return false;
    HoverLink* link = new (std::nothrow) HoverLink{nullptr, hoverFlag};
    if (!link) return false;
    if (!SetPropA(button, kHoverLinkProperty, link)) {
        delete link;
        return false;
    }
    link->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HoverButtonProc)));
    if (!link->previous) {
        RemovePropA(button, kHoverLinkProperty);
        delete link;
        return false;
    }
    return true;
}

LRESULT CALLBACK HoverButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    HoverLink* link = static_cast<HoverLink*>(GetPropA(button, kHoverLinkProperty));
    if (!link) return DefWindowProcA(button, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The last message: put the button's own procedure back first.
        const WNDPROC previous = link->previous;
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(button, kHoverLinkProperty);
        delete link;
        return CallWindowProcA(previous, button, message, wParam, lParam);
    }
    try {
        return Track(button, *link, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
