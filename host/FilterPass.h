// The filter pass: the chunk or window the host delivered, turned into its
// engraving in the host's output.
#pragma once

#include "host/ModuleState.h"

// Filters the region the host delivered. Errors go to the result word.
void FilterPass(FilterGlobals* globals);
