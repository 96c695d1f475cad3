// One table of the engraving settings, shared by everything that names,
// stores or edits them: scripting keys, preset keys, command-line names,
// dialog ranges and labels. Order: the record's field order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/EngraveParams.h"
#include "host/PluginInterface.h"

enum class ParamType : uint8_t {
    Float,   // 32-bit float
    Switch,  // 32-bit value, 0 or 1
    Int,     // signed 32-bit
    Byte,    // unsigned byte, 0 or 1
    List,    // unsigned byte indexing listNames
};

// Where a setting travels besides the host's parameters handle.
enum ParamCarriers : uint8_t {
    kCarriedByHandleOnly = 0,
    kCarriedByScriptAndPreset = 1,
};

struct SettingInfo {
    const char* name;  // the record's field name; also the command-line name
    ParamType type;
    size_t offset;
    float defaultValue;
    bool hasDialogRange;  // rotation has none: the dial turns without limit
    float dialogMin, dialogMax;  // in record units
    float shownScale;            // the dialog shows value x shownScale
    const char* const* listNames;  // List only
    int listCount;
    ParamCarriers carriers;
    OSType key;        // four-char code of the descriptor and preset; 0 if none
    const char* label;    // the dialog control's label
    const char* tooltip;  // the dialog control's tooltip
};

// The 26 settings and dialog fields of EngraveParams (fields 1..26).
extern const SettingInfo kParamTable[];
extern const int kParamCount;

extern const char* const kPatternNames[kPatternKindCount];
extern const char* const kColorSchemaNames[kColorSchemaCount];

const SettingInfo* FindParam(const char* name);
const SettingInfo* FindParamByKey(OSType key);

// Value of a field as a float (switches and bytes as 0..255 / raw int).
double GetParamValue(const EngraveParams& record, const SettingInfo& setting);
// Stores a value into a field: floats narrowed, switches as the integer,
// bytes keep their low eight bits.
void SetParamValue(EngraveParams* record, const SettingInfo& setting, double value);

// double to float without undefined behaviour: out of range gives infinity.
float NarrowToFloat(double value);

// The settings the scripting descriptor carries, in the order they are written.
extern const OSType kScriptKeyOrder[21];

// Parses a value as typed on a command line: a number or, for lists, one of
// the names shown in the dialog (case-insensitive). Returns false when the
// text is neither.
bool ParseParamValue(const SettingInfo& setting, const char* text, double* value);
