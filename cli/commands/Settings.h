// The settings of a run, built as a photographer would expect: defaults (or
// the state of the last run), then a preset, then --set NAME=VALUE. They
// reach the module through its own scripting descriptor.
#pragma once

#include <string>
#include <vector>

#include "cli/session/HostDescriptor.h"
#include "settings/ParamTable.h"

struct SettingAssignment {
    const SettingInfo* setting;
    double value;
};

// Parses "name=value" (a field name of the engraving settings; a number, or
// a list name for pattern and colorSchema).
bool ParseSetting(const std::string& text, SettingAssignment* assignment, std::string* error);

// The settings the descriptor carries (the 21 of presets and scripts).
inline bool IsEngravingSetting(const SettingInfo& setting) { return setting.code != 0; }

// The descriptor the module itself would write for these settings.
Descriptor DescriptorFromSettings(const EngraveSettings& settings);

// Sets one key of a descriptor (as the module would write that value).
void SetDescriptorValue(Descriptor* descriptor, const SettingAssignment& assignment);

// A setting's value as text: list names for lists, numbers otherwise.
std::string FormatSettingValue(const SettingInfo& setting, double value);
