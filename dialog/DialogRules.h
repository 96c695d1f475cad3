// The parameter dialog's rules that need no window: which spin edit edits
// which setting, the shown/stored conversion, which controls act for a
// pattern kind, the alpha rule, and the navigator frame's place for a view.
#pragma once

#include "settings/ParamTable.h"

// Dialog control identifiers (the template's).
enum DialogControlId : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdNavigator = 1031,
    kIdWidth = 1033,
    kIdRandomness = 1034,
    kIdInvert = 1043,
    kIdNotBreak = 1046,
    kIdRotor = 1061,
    kIdColorSchema = 1062,
    kIdPattern = 1063,
    kIdUseDots = 1064,
    kIdCenterXLabel = 1065,
    kIdCenterYLabel = 1066,
    kIdAmplitudeLabel = 1067,
    kIdShiftLabel = 1068,
    kIdFrequencyLabel = 1069,
    kIdNoiseLabel = 1072,
    kIdSave = 1074,
    kIdFillAlpha = 1075,
    kIdCheckerboard = 1076,
    kIdPresetList = 1077,
    kIdDelete = 1078,
    kIdAbout = 1080,
    kIdHelp = 1081,
    kIdPreview = 1102,
    kIdSolidInk = 1104,
    kIdUpdate = 1110,
    kIdSpace = 1112,
    kIdOffset = 1113,
    kIdContrastEdit = 1114,   // edits `threshold`, labelled "Contrast"
    kIdThresholdEdit = 1115,  // edits `contrast`, labelled "Threshold"
    kIdFrequency = 1116,
    kIdShift = 1118,
    kIdAmplitude = 1122,
    kIdCenterX = 1123,
    kIdAutoUpdate = 1124,
    kIdCenterY = 1125,
    kIdNoise = 1128,
    kIdProgress = 669,
    kIdRefresh = 9999,  // posted to itself after every change
};

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
