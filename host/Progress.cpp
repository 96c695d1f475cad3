// The one progress channel of the module.
#include "host/DialogProgress.h"
#include "host/FilterPass.h"

namespace {

int32_t ToCount(float value) {
    // Truncation toward zero, with NaN and out-of-range values kept finite.
    if (!(value == value) || value <= 0) return 0;
    if (value >= 2147483520.0f) return INT32_MAX;
    return int32_t(value);
}

}  // namespace

void UpdateProgress(float done, float total) {
    const int32_t d = ToCount(done);
    const int32_t t = ToCount(total);
    if (gModule.dialogOpen) {
        ShowDialogProgress(d, t);
        return;
    }
    const FilterRecord* record = gModule.currentGlobals ? gModule.currentGlobals->filterRecord : gModule.filterRecord;
    if (record && record->progressProc) record->progressProc(d, t);
}
