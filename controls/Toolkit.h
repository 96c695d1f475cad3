// The toolkit as a whole: its shared drawing resources and its thirteen
// window classes.
//
// The dialog calls RegisterToolkit just before it creates its window from
// the template and UnregisterToolkit as soon as it has returned. While it
// runs it may use the shared colour, brush and fonts (gToolkit) for its own
// controls, and ScaleToToolkitDpi and LoadToolkitBitmap for its own pixel
// positions and pictures, so that they match the controls on screens of
// any DPI.
#pragma once

#include <windows.h>

struct ToolkitResources {
    COLORREF background = RGB(232, 232, 232);
    HBRUSH backgroundBrush = nullptr;  // class brush of every toolkit class
    HFONT editFont = nullptr;          // "Arial" 12 bold: number fields, lists
    HFONT labelFont = nullptr;         // "Arial" 14 bold: skinned captions
    HBITMAP skins[12] = {};            // by identifier - 123, scaled to the DPI
    int dpi = 96;                      // every pixel size is scaled by dpi / 96
};

extern ToolkitResources gToolkit;

// Creates the colour, brush and fonts, initialises the common controls,
// registers the thirteen classes in their order and loads the skins.
// Without a DPI, the screen's is used. False when a class could not be
// registered (everything made so far is released again).
bool RegisterToolkit(HINSTANCE instance);
bool RegisterToolkit(HINSTANCE instance, int dpi);

// Releases the skins and the brush, unregisters the classes (in the same
// order) and deletes the fonts. Safe after a failed or missing register.
void UnregisterToolkit(HINSTANCE instance);

// A 96-DPI pixel size at the toolkit's DPI.
int ScaleToToolkitDpi(int pixels);

// A bitmap resource at the toolkit's DPI: the double-size drawing from 144
// DPI on, resized when the DPI asks for another size. The caller owns it
// (DeleteObject). Null when the resource is missing.
HBITMAP LoadToolkitBitmap(HINSTANCE instance, int identifier);
