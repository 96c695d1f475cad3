// The one table of the settings: everything that names, stores, carries or
// edits a setting reads it from here. The descriptor reader and writer, the
// preset reader and writer, the command line, `lumeric params` and the
// dialog all iterate this table; none keeps a list of its own.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/EngraveSettings.h"
#include "settings/FourCC.h"

enum class SettingType : uint8_t {
    Real,    // 32-bit float
    Switch,  // 32-bit value, 0 or 1
    Flag,    // unsigned byte, 0 or 1
    List,    // unsigned byte indexing listNames
};

struct SettingInfo {
    const char* name = "";  // the field's name; also the command-line name
    SettingType type = SettingType::Real;
    size_t offset = 0;  // of the field inside SettingValues
    bool engraving = false;  // a field of EngraveSettings (else a dialog preference)
    float defaultValue = 0;

    // Scripting descriptor.
    OSType code = 0;           // key of the descriptor and of the preset line; 0: neither
    int descriptorOrder = 0;   // 1-based position when the descriptor is written
    bool announced = false;    // in the expected-key list handed to the host's reader
    bool scriptInverted = false;  // the key carries the switch's opposite

    // Preset files.
    int presetLine = 0;            // 1-based line of the text format; 0: not saved
    const char* presetLabel = "";  // the comment after the value, ';' included
    bool inLegacyPreset = false;   // a field of the old binary record (in table order)

    // Dialog.
    const char* label = "";
    const char* tooltip = "";
    const char* valueCaption = nullptr;  // the value dialog's name, when not the label
    bool hasDialogRange = false;         // rotation has none: the dial turns without limit
    float dialogMin = 0, dialogMax = 0;  // in stored units
    float shownScale = 1;   // the dialog shows stored x shownScale
    float storedScale = 1;  // and stores shown x storedScale
    const char* const* listNames = nullptr;
    int listCount = 0;

    // Builders, so that the table names every column it fills.
    constexpr SettingInfo Script(const char (&key)[5], int order) const {
        SettingInfo s = *this;
        s.code = FourCC(key);
        s.descriptorOrder = order;
        return s;
    }
    constexpr SettingInfo Announced() const {
        SettingInfo s = *this;
        s.announced = true;
        return s;
    }
    constexpr SettingInfo InvertedInScript() const {
        SettingInfo s = *this;
        s.scriptInverted = true;
        return s;
    }
    constexpr SettingInfo Preset(int line, const char* label) const {
        SettingInfo s = *this;
        s.presetLine = line;
        s.presetLabel = label;
        return s;
    }
    constexpr SettingInfo Legacy() const {
        SettingInfo s = *this;
        s.inLegacyPreset = true;
        return s;
    }
    constexpr SettingInfo Dialog(const char* label_, const char* tooltip_) const {
        SettingInfo s = *this;
        s.label = label_;
        s.tooltip = tooltip_;
        return s;
    }
    constexpr SettingInfo Caption(const char* caption) const {
        SettingInfo s = *this;
        s.valueCaption = caption;
        return s;
    }
    constexpr SettingInfo Range(float min, float max) const {
        SettingInfo s = *this;
        s.hasDialogRange = true;
        s.dialogMin = min;
        s.dialogMax = max;
        return s;
    }
    constexpr SettingInfo Shown(float shown, float stored) const {
        SettingInfo s = *this;
        s.shownScale = shown;
        s.storedScale = stored;
        return s;
    }
};

// The 21 engraving settings and the dialog's two preferences, in the order
// of the stored record's fields.
extern const SettingInfo kParamTable[];
extern const int kParamCount;
constexpr int kCarriedSettingCount = 21;  // settings with a code

extern const char* const kPatternNames[kPatternKindCount];
extern const char* const kColorSchemaNames[kColorSchemaCount];

const SettingInfo* FindParam(const char* name);
const SettingInfo* FindParamByCode(OSType code);
// The carried settings in descriptor order (position 1..21), or preset line
// order; null for a position no row claims.
const SettingInfo* ParamAtDescriptorOrder(int order);
const SettingInfo* ParamAtPresetLine(int line);

// Value of a field as a double (switches, flags and lists as integers).
double GetSettingValue(const SettingValues& values, const SettingInfo& setting);
// The same for the engraving settings alone (0, and no change, for a
// dialog preference's row).
double GetSettingValue(const EngraveSettings& settings, const SettingInfo& setting);
void SetSettingValue(EngraveSettings* settings, const SettingInfo& setting, double value);
// Stores a value into a field: reals narrowed to float (beyond its range:
// infinity), switches saturated to 32 bits, bytes keep their low eight bits;
// NaN stores 0 in an integral field.
void SetSettingValue(SettingValues* values, const SettingInfo& setting, double value);

// double to float without undefined behaviour: out of range gives infinity.
float NarrowToFloat(double value);

// Parses a value as typed on a command line or in a field: a number (any
// locale, '.' as the point) or, for lists, one of the names shown in the
// dialog (case-insensitive). Integral settings take whole numbers; lists
// only their indices. False when the text is neither.
bool ParseSettingText(const SettingInfo& setting, const char* text, double* value);
