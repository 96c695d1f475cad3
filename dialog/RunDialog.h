// The modal parameter dialog, run at Start when the dialog is to be shown.
#pragma once

#include "host/ModuleState.h"

// Returns true when the dialog ended with OK. A cancelled dialog restores
// the record and leaves userCanceledErr in the result word.
bool RunDialog(FilterGlobals* globals);
