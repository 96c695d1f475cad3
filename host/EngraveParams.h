// The one record of all engraving settings. The host keeps it in its
// parameters handle between runs, so its layout is part of the interface:
// the static_asserts below pin it, identical on 32- and 64-bit builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/EngraveSettings.h"

// The stored record: the 21 engraving settings, the dialog's preferences and
// view, and the run state of the selector flow. Only this file and its
// projections know the layout; everything else works on EngraveSettings.
struct EngraveParams {
    uint8_t colorSchema;      // ColorSchema
    uint8_t pattern;          // PatternKind
    int32_t autoUpdate;       // dialog: re-render after every change
    int32_t invertIntensity;  // dark pixels give thick strokes
    int32_t noAntialias;      // 1 = direct path at image resolution
    int32_t invert;           // ink and paper swapped
    int32_t notBreak;         // strokes drawn without breaks
    int32_t useCircles;       // dots instead of strokes
    int32_t viewX;            // dialog: preview view, image pixels
    int32_t viewY;
    float rotation;    // degrees
    float space;       // quarter pixels
    float offset;      // thousandths of space
    float width;
    float contrast;
    float randomness;
    float amplitude;
    float frequency;
    float phaseShift;  // units of 0.18 degrees
    float threshold;
    float centerX;  // per-mille of the filter width from the image centre
    float centerY;
    uint8_t fillAlpha;
    float noise;
    uint8_t checkerboard;
    uint8_t presetApplied;
    // Run state, set by the selector flow only.
    uint8_t showDialog;
    int16_t rowSkip;
    uint8_t canPreview;
    uint8_t isPremiereHost;
};

static_assert(offsetof(EngraveParams, colorSchema) == 0, "layout");
static_assert(offsetof(EngraveParams, pattern) == 1, "layout");
static_assert(offsetof(EngraveParams, autoUpdate) == 4, "layout");
static_assert(offsetof(EngraveParams, invertIntensity) == 8, "layout");
static_assert(offsetof(EngraveParams, noAntialias) == 12, "layout");
static_assert(offsetof(EngraveParams, invert) == 16, "layout");
static_assert(offsetof(EngraveParams, notBreak) == 20, "layout");
static_assert(offsetof(EngraveParams, useCircles) == 24, "layout");
static_assert(offsetof(EngraveParams, viewX) == 28, "layout");
static_assert(offsetof(EngraveParams, viewY) == 32, "layout");
static_assert(offsetof(EngraveParams, rotation) == 36, "layout");
static_assert(offsetof(EngraveParams, space) == 40, "layout");
static_assert(offsetof(EngraveParams, offset) == 44, "layout");
static_assert(offsetof(EngraveParams, width) == 48, "layout");
static_assert(offsetof(EngraveParams, contrast) == 52, "layout");
static_assert(offsetof(EngraveParams, randomness) == 56, "layout");
static_assert(offsetof(EngraveParams, amplitude) == 60, "layout");
static_assert(offsetof(EngraveParams, frequency) == 64, "layout");
static_assert(offsetof(EngraveParams, phaseShift) == 68, "layout");
static_assert(offsetof(EngraveParams, threshold) == 72, "layout");
static_assert(offsetof(EngraveParams, centerX) == 76, "layout");
static_assert(offsetof(EngraveParams, centerY) == 80, "layout");
static_assert(offsetof(EngraveParams, fillAlpha) == 84, "layout");
static_assert(offsetof(EngraveParams, noise) == 88, "layout");
static_assert(offsetof(EngraveParams, checkerboard) == 92, "layout");
static_assert(offsetof(EngraveParams, presetApplied) == 93, "layout");
static_assert(offsetof(EngraveParams, showDialog) == 94, "layout");
static_assert(offsetof(EngraveParams, rowSkip) == 96, "layout");
static_assert(offsetof(EngraveParams, canPreview) == 98, "layout");
static_assert(offsetof(EngraveParams, isPremiereHost) == 99, "layout");
static_assert(sizeof(EngraveParams) == 100, "EngraveParams size");

// Writes the defaults into the settings and dialog fields (the view at the
// image's corner, no preset just applied); leaves the run state
// (showDialog, rowSkip, canPreview, isPremiereHost) alone.
void InitParameters(EngraveParams* record);

// The projections between the stored record and the settings.
EngraveSettings SettingsOf(const EngraveParams& record);
void StoreSettings(const EngraveSettings& settings, EngraveParams* record);
DialogPreferences PreferencesOf(const EngraveParams& record);
void StorePreferences(const DialogPreferences& preferences, EngraveParams* record);
SettingValues ValuesOf(const EngraveParams& record);
void StoreValues(const SettingValues& values, EngraveParams* record);
