// Preset files given by path on the command line (the dialog keeps its
// presets in its own folder; the command takes any path).
#pragma once

#include <string>

#include "settings/EngraveSettings.h"

// Applies the preset's lines to `params` (fields it lacks keep their values).
bool LoadPresetFile(const std::string& path, SettingValues* values, std::string* error);
std::string FormatPresetText(const EngraveSettings& settings);
