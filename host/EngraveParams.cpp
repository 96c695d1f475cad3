#include "host/EngraveParams.h"

void InitParameters(EngraveParams* record) {
    StoreSettings(DefaultEngraveSettings(), record);
    StorePreferences(DefaultDialogPreferences(), record);
    record->viewX = 0;
    record->viewY = 0;
    record->presetApplied = 0;
}

EngraveSettings SettingsOf(const EngraveParams& r) {
    EngraveSettings s;
    s.colorSchema = r.colorSchema;
    s.pattern = r.pattern;
    s.invertIntensity = r.invertIntensity;
    s.noAntialias = r.noAntialias;
    s.invert = r.invert;
    s.notBreak = r.notBreak;
    s.useCircles = r.useCircles;
    s.rotation = r.rotation;
    s.space = r.space;
    s.offset = r.offset;
    s.width = r.width;
    s.contrast = r.contrast;
    s.randomness = r.randomness;
    s.amplitude = r.amplitude;
    s.frequency = r.frequency;
    s.phaseShift = r.phaseShift;
    s.threshold = r.threshold;
    s.centerX = r.centerX;
    s.centerY = r.centerY;
    s.fillAlpha = r.fillAlpha;
    s.noise = r.noise;
    return s;
}

void StoreSettings(const EngraveSettings& s, EngraveParams* r) {
    r->colorSchema = s.colorSchema;
    r->pattern = s.pattern;
    r->invertIntensity = s.invertIntensity;
    r->noAntialias = s.noAntialias;
    r->invert = s.invert;
    r->notBreak = s.notBreak;
    r->useCircles = s.useCircles;
    r->rotation = s.rotation;
    r->space = s.space;
    r->offset = s.offset;
    r->width = s.width;
    r->contrast = s.contrast;
    r->randomness = s.randomness;
    r->amplitude = s.amplitude;
    r->frequency = s.frequency;
    r->phaseShift = s.phaseShift;
    r->threshold = s.threshold;
    r->centerX = s.centerX;
    r->centerY = s.centerY;
    r->fillAlpha = s.fillAlpha;
    r->noise = s.noise;
}

DialogPreferences PreferencesOf(const EngraveParams& r) { return DialogPreferences{r.autoUpdate, r.checkerboard}; }

void StorePreferences(const DialogPreferences& p, EngraveParams* r) {
    r->autoUpdate = p.autoUpdate;
    r->checkerboard = p.checkerboard;
}

SettingValues ValuesOf(const EngraveParams& record) { return SettingValues{SettingsOf(record), PreferencesOf(record)}; }

void StoreValues(const SettingValues& values, EngraveParams* record) {
    StoreSettings(values.engraving, record);
    StorePreferences(values.dialog, record);
}
