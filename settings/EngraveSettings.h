// The settings of one engraving, as the engine, presets, scripts, the
// command line and the dialog see them. Plain values in the user's units
// (degrees, quarter pixels, per-mille); nothing here is validated: the
// engine copes with any value.
#pragma once

#include <cstdint>

// Stroke geometry, in the order of the "Pattern:" list.
enum PatternKind : uint8_t {
    kLines = 0,
    kWaves1 = 1,
    kWaves2 = 2,
    kRings = 3,
    kRingsWaves1 = 4,
    kRingsWaves2 = 5,
    kRingsWaves3 = 6,
    kRingsWaves4 = 7,
    kSpiral = 8,
    kSpiralWaves1 = 9,
    kSpiralWaves2 = 10,
    kSpiralWaves3 = 11,
    kSpiralWaves4 = 12,
};
constexpr int kPatternKindCount = 13;

// How the engraving is put back into the image, in the order of the
// "Color schema:" list.
enum ColorSchema : uint8_t {
    kInitialColor = 0,
    kSplitColor = 1,
    kBlackAndWhite = 2,
};
constexpr int kColorSchemaCount = 3;

// Which settings act for a kind (the dialog disables the others).
inline bool PatternHasCenter(int kind) { return kind >= kRings; }
inline bool PatternIsWaved(int kind) {
    return kind == kWaves1 || kind == kWaves2 || (kind >= kRingsWaves1 && kind <= kRingsWaves4) ||
           kind >= kSpiralWaves1;
}

// The 21 settings a preset or a recorded action carries. Field types are
// those of the stored record, so that a value survives every round trip
// bit for bit (a switch read from a preset may hold any byte).
struct EngraveSettings {
    uint8_t colorSchema;      // ColorSchema
    uint8_t pattern;          // PatternKind
    int32_t invertIntensity;  // dark pixels give thick strokes
    int32_t noAntialias;      // non-zero: strokes drawn straight into pixels
    int32_t invert;           // ink and paper swapped
    int32_t notBreak;         // strokes drawn without breaks
    int32_t useCircles;       // dots instead of strokes
    float rotation;           // degrees
    float space;              // quarter pixels
    float offset;             // thousandths of space
    float width;
    float contrast;
    float randomness;
    float amplitude;
    float frequency;
    float phaseShift;  // units of 0.18 degrees
    float threshold;
    float centerX;  // per-mille of the image size from its centre
    float centerY;
    uint8_t fillAlpha;
    float noise;
};

// The dialog's own preferences, kept with the settings between runs but
// never part of a preset text or a recorded action.
struct DialogPreferences {
    int32_t autoUpdate;    // re-render the preview after every change
    uint8_t checkerboard;  // transparent preview areas as a checkerboard
};

// Everything the settings table describes.
struct SettingValues {
    EngraveSettings engraving;
    DialogPreferences dialog;
};

// The defaults of every setting, from the settings table.
EngraveSettings DefaultEngraveSettings();
DialogPreferences DefaultDialogPreferences();
