// The parameter dialog's rules that need no window: which spin edit edits
// which setting, the shown/stored conversion, which controls act for a
// pattern kind, the alpha rule, and the navigator frame's place for a view.
#pragma once

#include "resources/DialogIds.h"
#include "settings/ParamTable.h"

// A spin edit and the setting it edits; `labelId` is its static label when
// the dialog enables and disables it with the spin edit (else 0).
struct SpinEditBinding {
    int id;
    const char* setting;
    int labelId;
};

// The twelve spin edits, in the order the dialog finds and configures them.
constexpr int kSpinEditCount = 12;
extern const SpinEditBinding kSpinEdits[kSpinEditCount];

const SettingInfo& SpinEditSetting(const SpinEditBinding& binding);

// What the spin edit shows for a stored value, and what it stores for a
// shown one (`phaseShift` shows degrees: stored x 0.18, shown x 5.5555553).
float ShownValue(const SettingInfo& setting, float stored);
float StoredValue(const SettingInfo& setting, float shown);

// Whether a control (or its label) acts for a pattern kind: the centre
// controls for rings and spirals, the wave controls for the waved kinds;
// every other control always.
bool ControlActsForPattern(int controlId, int pattern);

// The alpha rule: "Fill alpha" is enabled when the image has a transparency
// plane (4 planes, or 5 for CMYK); "Checkboard background" when it has one
// and fill alpha is off.
bool ImageHasAlpha(int planes, bool cmyk);
bool CheckerboardEnabled(int planes, bool cmyk, int fillAlpha);

// The navigator frame's corner for a view (image pixels), and the view for
// a frame corner, by the ratio of the navigator picture to the image.
struct Point {
    int x, y;
};
Point FrameForView(Point view, int navWidth, int navHeight, int imageWidth, int imageHeight);
Point ViewForFrame(Point frame, int navWidth, int navHeight, int imageWidth, int imageHeight);
