// Scripting parameters: the descriptor read at Start and written at Finish.
#pragma once

#include "host/ModuleState.h"
#include "settings/ParamTable.h"

// How a setting travels in the descriptor: its type and value (the antialias
// key carries the opposite of noAntialias; switches their low byte).
struct ScriptValue {
    DescriptorTypeID type;
    double value;
};
ScriptValue ScriptValueOf(const EngraveSettings& settings, const SettingInfo& setting);

bool DescriptorsAvailable(const FilterRecord* record);
OSErr ReadScriptParams(FilterGlobals* globals);
OSErr WriteScriptParams(FilterGlobals* globals);
