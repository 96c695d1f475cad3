// Builds without the dialog: Start goes on as if the user pressed OK at once.
#include "dialog/RunDialog.h"

bool RunDialog(FilterGlobals*) { return true; }
