// The dialog's controls and the record: every change is written into the
// record at once, and a record replaced by a preset is shown again.
#include "controls/Toolkit.h"
#include "dialog/DialogSession.h"

namespace {

bool Checked(int id) { return IsDlgButtonChecked(gDialog.window, id) == BST_CHECKED; }

void Check(int id, bool on) { CheckDlgButton(gDialog.window, id, on ? BST_CHECKED : BST_UNCHECKED); }

void Enable(int id, bool on) { EnableWindow(GetDlgItem(gDialog.window, id), on ? TRUE : FALSE); }

void SetFieldFromSpin(EngraveParams* params, int index) {
    const SpinEditState* spin = gDialog.spins[index];
    if (!spin) return;
    const SettingInfo& setting = SpinEditSetting(kSpinEdits[index]);
    SettingValues values = ValuesOf(*params);
    SetSettingValue(&values, setting, StoredValue(setting, spin->value));
    StoreValues(values, params);
}

}  // namespace

void WriteValueControlsToRecord() {
    EngraveParams* params = Record();
    if (!params) return;
    for (int i = 0; i < kSpinEditCount; ++i)
        if (kSpinEdits[i].id != kIdNoise) SetFieldFromSpin(params, i);
    if (gDialog.rotor) params->rotation = gDialog.rotor->value;
}

void WriteCheckBoxesToRecord() {
    EngraveParams* params = Record();
    if (!params) return;
    for (int i = 0; i < kSpinEditCount; ++i)
        if (kSpinEdits[i].id == kIdNoise) SetFieldFromSpin(params, i);
    params->autoUpdate = Checked(kIdAutoUpdate) ? 1 : 0;
    params->notBreak = Checked(kIdNotBreak) ? 1 : 0;
    // One box, two fields: checked is dark pixels thick, unchecked the negative.
    params->invertIntensity = Checked(kIdInvert) ? 1 : 0;
    params->invert = Checked(kIdInvert) ? 0 : 1;
    params->fillAlpha = Checked(kIdFillAlpha) ? 1 : 0;
    params->noAntialias = Checked(kIdSolidInk) ? 1 : 0;
    params->checkerboard = Checked(kIdCheckerboard) ? 1 : 0;
    params->useCircles = Checked(kIdUseDots) ? 1 : 0;
}

void ApplyPatternKind(int pattern) {
    for (int id : {kIdCenterX, kIdCenterY, kIdCenterXLabel, kIdCenterYLabel, kIdAmplitude, kIdFrequency, kIdShift,
                   kIdAmplitudeLabel, kIdFrequencyLabel, kIdShiftLabel})
        Enable(id, ControlActsForPattern(id, pattern));
}

void ApplyAlphaRule(bool fillAlphaToo) {
    const EngraveParams* params = Record();
    if (!params) return;
    if (fillAlphaToo) Enable(kIdFillAlpha, ImageHasAlpha(gDialog.planes, gDialog.cmyk));
    const bool checkerboard = CheckerboardEnabled(gDialog.planes, gDialog.cmyk, params->fillAlpha);
    Enable(kIdCheckerboard, checkerboard);
    HWND toggle = GetDlgItem(gDialog.window, kIdCheckerboard);
    SendMessageW(toggle, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(checkerboard ? gDialog.checkerOn : gDialog.checkerOff));
    InvalidateRect(toggle, nullptr, TRUE);
}

void SetSpinEditRanges() {
    for (int i = 0; i < kSpinEditCount; ++i) {
        SpinEditState* spin = gDialog.spins[i];
        if (!spin) continue;
        const SettingInfo& setting = SpinEditSetting(kSpinEdits[i]);
        const float lo = ShownValue(setting, setting.dialogMin), hi = ShownValue(setting, setting.dialogMax);
        spin->recommendedMinimum = lo;
        spin->recommendedMaximum = hi;
        SpinEditSetRange(spin, lo, hi);
    }
}

void ShowRecordInControls() {
    const EngraveParams* params = Record();
    if (!params) return;
    const SettingValues values = ValuesOf(*params);
    for (int i = 0; i < kSpinEditCount; ++i) {
        if (!gDialog.spins[i]) continue;
        const SettingInfo& setting = SpinEditSetting(kSpinEdits[i]);
        SpinEditSetValue(gDialog.spins[i], ShownValue(setting, float(GetSettingValue(values, setting))));
    }
    if (gDialog.rotor) RotorSetValues(gDialog.rotor, params->rotation, 0);
    SendDlgItemMessageW(gDialog.window, kIdColorSchema, CB_SETCURSEL, params->colorSchema, 0);
    SendDlgItemMessageW(gDialog.window, kIdPattern, CB_SETCURSEL, params->pattern, 0);
    Check(kIdAutoUpdate, params->autoUpdate != 0);
    Check(kIdNotBreak, params->notBreak != 0);
    Check(kIdInvert, params->invertIntensity != 0);
    Check(kIdFillAlpha, params->fillAlpha != 0);
    Check(kIdSolidInk, params->noAntialias != 0);
    Check(kIdCheckerboard, params->checkerboard != 0);
    Check(kIdUseDots, params->useCircles != 0);
    ApplyAlphaRule(true);
}

void SyncControls() {
    ShowRecordInControls();
    const EngraveParams* params = Record();
    if (!params) return;
    if (params->autoUpdate == 1 && CanPreview()) {
        RenderPreviewNow();
        RedrawWindow(gDialog.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (gDialog.navigator) RedrawWindow(gDialog.navigator->head.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if ((params = Record())) ApplyPatternKind(params->pattern);
}
