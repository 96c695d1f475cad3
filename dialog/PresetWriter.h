// Writing preset content: the 21 parameter lines, and the whole text file.
#pragma once

#include "dialog/PresetStream.h"
#include "settings/EngraveSettings.h"

// Writes the parameter lines in file order, each
// "<key> <value> \t\t\t\t;<label> \n". False when a write failed.
bool WritePresetBody(const EngraveSettings& settings, PresetSink& file);

// The header "Corvessa Lumeric\n" and then the body.
bool WritePresetContent(const EngraveSettings& settings, PresetSink& file);
