// The filter pass: one rectangle of the host's image turned into its engraving.
#pragma once

#include "host/ModuleState.h"

// Filters the region the host delivered (or, while the dialog is open, the
// preview region). Errors go to the result word.
void FilterPass(FilterGlobals* globals);

// The dialog's render gate: runs FilterPass only when previews are possible.
void RenderPreview(FilterGlobals* globals);

// The one progress channel: the host's progress callback, or the dialog's
// progress bar while the dialog is open.
void UpdateProgress(float done, float total);
