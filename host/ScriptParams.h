// Scripting parameters: the descriptor read at Start and written at Finish.
#pragma once

#include "host/ModuleState.h"

bool DescriptorsAvailable(const FilterRecord* record);
OSErr ReadScriptParams(FilterGlobals* globals);
OSErr WriteScriptParams(FilterGlobals* globals);
