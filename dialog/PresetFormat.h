// The preset file format: the header texts and how a setting's four-char
// code becomes the key that starts its line. Which settings have lines, in
// which order and with which comment, is the settings table's.
#pragma once

#include <cstddef>

#include "settings/ParamTable.h"

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

// Line keys are the code as a little-endian 32-bit value written byte by
// byte, so they read reversed: `Angl` is written "lgnA".
void PresetFileKey(OSType code, char key[4]);

// The setting whose file key equals the four bytes at `bytes`, or nullptr.
// Exact and case-sensitive; a key in the code's own order is not one.
const SettingInfo* FindPresetLine(const char* bytes);

// Reals are written like "%f"; switches, lists and flags as their low eight
// bits like "%d".
inline bool IsPresetReal(const SettingInfo& setting) { return setting.type == SettingType::Real; }
