#include "dialog/DialogRules.h"

#include "settings/EngraveSettings.h"

const SpinEditBinding kSpinEdits[kSpinEditCount] = {
    {kIdSpace, "space", 0},
    {kIdOffset, "offset", 0},
    {kIdWidth, "width", 0},
    {kIdThresholdEdit, "contrast", 0},
    {kIdContrastEdit, "threshold", 0},
    {kIdRandomness, "randomness", 0},
    {kIdAmplitude, "amplitude", kIdAmplitudeLabel},
    {kIdFrequency, "frequency", kIdFrequencyLabel},
    {kIdShift, "phaseShift", kIdShiftLabel},
    {kIdCenterX, "centerX", kIdCenterXLabel},
    {kIdCenterY, "centerY", kIdCenterYLabel},
    {kIdNoise, "noise", kIdNoiseLabel},
};

const SettingInfo& SpinEditSetting(const SpinEditBinding& binding) { return *FindParam(binding.setting); }

float ShownValue(const SettingInfo& setting, float stored) {
    return setting.shownScale == 1.0f ? stored : stored * setting.shownScale;
}

float StoredValue(const SettingInfo& setting, float shown) {
    return setting.storedScale == 1.0f ? shown : shown * setting.storedScale;
}

bool ControlActsForPattern(int controlId, int pattern) {
    switch (controlId) {
        case kIdCenterX:
        case kIdCenterY:
        case kIdCenterXLabel:
        case kIdCenterYLabel: return PatternHasCenter(pattern);
        case kIdAmplitude:
        case kIdFrequency:
        case kIdShift:
        case kIdAmplitudeLabel:
        case kIdFrequencyLabel:
        case kIdShiftLabel: return PatternIsWaved(pattern);
        default: return true;
    }
}

bool ImageHasAlpha(int planes, bool cmyk) { return planes >= (cmyk ? 5 : 4); }

bool CheckerboardEnabled(int planes, bool cmyk, int fillAlpha) { return ImageHasAlpha(planes, cmyk) && fillAlpha == 0; }

Point FrameForView(Point view, int navWidth, int navHeight, int imageWidth, int imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0) return Point{0, 0};
    return Point{int(float(view.x) * float(navWidth) / float(imageWidth) + 0.5f),
                 int(float(view.y) * float(navHeight) / float(imageHeight) + 0.5f)};
}

Point ViewForFrame(Point frame, int navWidth, int navHeight, int imageWidth, int imageHeight) {
    if (navWidth <= 0 || navHeight <= 0) return Point{0, 0};
    return Point{int(float(imageWidth) / float(navWidth) * float(frame.x) + 0.5f),
                 int(float(imageHeight) / float(navHeight) * float(frame.y) + 0.5f)};
}
