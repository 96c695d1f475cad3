// The preset file format: the header texts, the order and comment labels of
// the parameter lines, and how a setting's four-char code becomes the key
// that starts its line. Types and fields come from the settings table.
#pragma once

#include <cstddef>

#include "host/ParamTable.h"

// A preset text file starts with these bytes, line feed included.
constexpr char kPresetHeader[] = "Corvessa Lumeric\n";
constexpr size_t kPresetHeaderSize = sizeof(kPresetHeader) - 1;

// Old presets hold a fixed binary record behind these ten bytes; they are
// still read, never written.
constexpr char kLegacyPresetMagic[] = "Max Vantor";
constexpr size_t kLegacyPresetMagicSize = sizeof(kLegacyPresetMagic) - 1;
constexpr size_t kLegacyPresetSize = 66;

// Preset files are <name>.lmv.
constexpr char kPresetExtension[] = "lmv";

struct PresetLineFormat {
    OSType code;        // the setting's four-char code, as in the settings table
    const char* label;  // comment written after the value, ';' included
};

// The parameter lines, in the order they are written.
constexpr int kPresetLineCount = 21;
extern const PresetLineFormat kPresetLines[kPresetLineCount];

// Line keys are the code as a little-endian 32-bit value written byte by
// byte, so they read reversed: `Angl` is written "lgnA".
void PresetFileKey(OSType code, char key[4]);

// The line whose file key equals the four bytes at `bytes`, or nullptr.
// Exact and case-sensitive; a key in the code's own order is not one.
const PresetLineFormat* FindPresetLine(const char* bytes);

// The record field a line carries (never null for the lines of the table).
const SettingInfo& PresetLineParam(const PresetLineFormat& line);

// Reals are written like "%f"; switches, lists and bytes as their low eight
// bits like "%d".
bool IsPresetReal(const SettingInfo& setting);
