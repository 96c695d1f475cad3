// Recorded actions: the scripting descriptor the module wrote at Finish,
// kept as a JSON file that --replay plays back. Example:
//
//   {
//     "lumericAction": 1,
//     "event": "PVtr",
//     "play": "silent",
//     "descriptor": [
//       {"key": "Angl", "type": "UntF", "unit": "#Prc", "value": 30},
//       {"key": "InvI", "type": "bool", "value": true},
//       {"key": "ClSt", "type": "long", "value": 2}
//     ]
//   }
//
// "type" is the descriptor type code: "UntF" (unit float, needs "unit"),
// "doub" (float), "long" (32-bit integer) or "bool". Non-finite floats are
// written as the strings "NaN", "Infinity" and "-Infinity". "play" is
// "silent", "display" (show the filter's dialog) or "dontDisplay".
#pragma once

#include <string>

#include "cli/session/HostDescriptor.h"

struct ActionFile {
    int16_t playInfo = plugInDialogSilent;
    Descriptor descriptor;
};

bool ParseActionFile(const std::string& text, ActionFile* action, std::string* error);
std::string FormatActionFile(const ActionFile& action);
