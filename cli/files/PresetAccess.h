// Preset files given by path on the command line (the dialog keeps its
// presets in its own folder; the command takes any path).
#pragma once

#include <string>

#include "host/EngraveParams.h"

// Applies the preset's lines to `params` (fields it lacks keep their values).
bool LoadPresetFile(const std::string& path, EngraveParams* params, std::string* error);
std::string FormatPresetText(const EngraveParams& params);
