// "Mac Slider CPP": the flat slider under a spin edit's text box.
#include <windows.h>

#include <initializer_list>

#include "controls/ControlFrame.h"
#include "controls/ControlNumbers.h"
#include "controls/DpiScale.h"
#include "controls/SliderModel.h"
#include "controls/SpinEdit.h"
#include "controls/Toolkit.h"

namespace {

const COLORREF kMarkColour = RGB(155, 0, 0);

SliderLimits LimitsOf(const MacSliderState& slider) {
    return {slider.minimum, slider.maximum, slider.lowerMark, slider.upperMark, slider.limited != 0};
}

// Track ends from the client edges, and the thumb's half width.
int Margin() { return ScaleToToolkitDpi(5); }

void TakeX(MacSliderState& slider, LPARAM lParam) {
    slider.value = SliderValueAt(short(LOWORD(lParam)), slider.head.width, Margin(), LimitsOf(slider));
}

// A filled triangle with its tip at (x, tipY) and its base on baseY.
void Triangle(HDC dc, int x, int tipY, int baseY, int halfWidth) {
    const POINT corners[3] = {{x, tipY}, {x - halfWidth, baseY}, {x + halfWidth, baseY}};
    Polygon(dc, corners, 3);
}

// The spin edit takes the value over on WM_HSCROLL (wParam 0: not the end).
void SendScroll(const MacSliderState& slider) { SendMessageA(OwnerOf(slider.head), WM_HSCROLL, 0, 0); }

LRESULT Handle(ControlState* head, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MacSliderState& slider = *RecordOf<MacSliderState>(head);
    if (HandlePaint(slider, window, message, wParam, PaintMacSlider)) return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything; erasing first would flicker
        case WM_LBUTTONDOWN:
            SetCapture(window);
            TakeX(slider, lParam);
            RedrawNow(window);
            return 0;
        case WM_MOUSEMOVE:
            if (wParam != MK_LBUTTON) break;
            TakeX(slider, lParam);
            SendScroll(slider);
            RedrawNow(window);
            if (slider.notifyWhileDragging) SendCommand(slider.head, 0, 1);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            TakeX(slider, lParam);
            RedrawNow(window);
            SendScroll(slider);
            SendCommand(slider.head, 0, 0);
            return 0;
        case WM_RBUTTONDOWN:
            if (slider.forwardRightClick) SendMessageA(OwnerOf(slider.head), WM_RBUTTONDOWN, 0, 0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const ControlClassOps kOps = {CreateRecord<MacSliderState>, DestroyRecord<MacSliderState>, Handle, false};

}  // namespace

void MacSliderSetValue(MacSliderState* slider, float value) {
    if (!slider) return;
    slider->value = ApplySliderMarks(FiniteOr(value, 0.0f), LimitsOf(*slider));
    RedrawNow(slider->head.window);
}

void PaintMacSlider(const MacSliderState& slider, HDC dc, const RECT& face) {
    FillBackground(dc, face);
    const int w = slider.head.width, h = slider.head.height;
    const int q = h / 4 > 0 ? h / 4 : 1;
    const int margin = Margin(), lift = ScaleToToolkitDpi(2);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(GRAY_BRUSH));
    HPEN outline = nullptr;
    HGDIOBJ oldPen = nullptr;
    if (slider.limited) {
        HPEN markPen = CreatePen(PS_SOLID, ScaleToToolkitDpi(2), kMarkColour);
        oldPen = SelectObject(dc, markPen);
        for (float mark : {slider.lowerMark, slider.upperMark}) {
            const int x = SliderThumbX(mark, slider.minimum, slider.maximum, w, margin);
            Triangle(dc, x, h - h / 4 - lift, h - lift, margin);
        }
        SelectObject(dc, oldPen);
        DeleteObject(markPen);
    }
    if (gToolkit.dpi != kBaseDpi) {
        outline = CreatePen(PS_SOLID, ScaleToToolkitDpi(1), RGB(0, 0, 0));
        oldPen = SelectObject(dc, outline);
    }
    Rectangle(dc, margin, q, w - margin, h - 2 * q);
    const int x = SliderThumbX(slider.value, slider.minimum, slider.maximum, w, margin);
    Triangle(dc, x, h - q - lift, h - lift, margin);
    if (outline) {
        SelectObject(dc, oldPen);
        DeleteObject(outline);
    }
    SelectObject(dc, oldBrush);
}

LRESULT CALLBACK MacSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunControlProc(kOps, window, message, wParam, lParam);
}
