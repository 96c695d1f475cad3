// The dialog's progress bar (control 669), driven while the dialog is open.
#pragma once

#include <cstdint>

void ShowDialogProgress(int32_t done, int32_t total);
