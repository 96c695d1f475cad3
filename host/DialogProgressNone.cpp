// Builds without the dialog have no progress bar of their own.
#include "host/DialogProgress.h"

void ShowDialogProgress(int32_t, int32_t) {}
