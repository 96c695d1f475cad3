// What every toolkit control shares: the head of its state record, the
// lookup of a record by window and class, and the notification codes.
//
// The dialog, once its template has created the controls, finds each
// control's record with FindControlState (or the typed FindControl) and
// from then on works on the record directly: it writes names and modes,
// calls the class's operations, and reads values after a WM_COMMAND from
// the control. A record is valid while its window exists.
#pragma once

#include <windows.h>

#include <cstdint>

// High words of WM_COMMAND. RevertCode: from an edit child to its spin edit
// or rotor (the owner posts it on Escape), put the stored value's text
// back. DragDoneCode: from a rotor or preview pane, the button went up.
constexpr WORD RevertCode = 27;
constexpr WORD DragDoneCode = 9;

// The window class names, byte for byte.
constexpr const char* kControlClass = "Control CPP";
constexpr const char* kButtonFireClass = "Control Button Fire CPP";
constexpr const char* kGlassClass = "Control Glass CPP";
constexpr const char* kControlButtonClass = "Control Button CPP";
constexpr const char* kAnimContainerClass = "Contaner Anim CPP";
constexpr const char* kContainerClass = "Contaner CPP";
constexpr const char* kRotorClass = "Rotor CPP";
constexpr const char* kMacSliderClass = "Mac Slider CPP";
constexpr const char* kGlassSliderClass = "Glass Slider CPP";
constexpr const char* kPreviewContainerClass = "Preview Contaner CPP";
constexpr const char* kColorContainerClass = "Contaner Color CPP";
constexpr const char* kSpinEditClass = "Spin Edit CPP";
constexpr const char* kColorEqualizerClass = "Color Equalizer CPP";

// The head every record begins with. A record is created at WM_CREATE (or
// taken ready from the creation parameter: a record allocated with `new`
// of the class's record type, which the window then owns) and freed at
// WM_NCDESTROY; the window's GWLP_USERDATA slot holds it meanwhile.
struct ControlState {
    HWND window;
    int identifier;  // carried by every notification to the owner
    // Client size at creation. Controls paint with it and never update it:
    // an owner that resizes a control writes the new size here.
    int32_t width;
    int32_t height;
};

// The record of `window` when its class name is exactly `className`
// (case-sensitive, no prefix match), else null.
ControlState* FindControlState(HWND window, const char* className);

// Typed lookup: Record is one of the class records (it names its class in
// Record::kClassName and begins with its ControlState head).
template <class Record>
Record* FindControl(HWND window) {
    return reinterpret_cast<Record*>(FindControlState(window, Record::kClassName));
}
