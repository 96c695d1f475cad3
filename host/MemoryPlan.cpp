// Prepare: how many image rows fit in the host's memory budget at once.
#include "host/Alert.h"
#include "host/EngraveParams.h"
#include "host/HostRects.h"
#include "host/MemoryPlan.h"
#include "host/Selectors.h"

int32_t PlanRowSkip(int32_t width, int32_t height, int32_t planes, int32_t maxSpace) {
    // The smallest rowSkip >= 1 with rowSkip x bytesPerRow >= maxSpace, but
    // never more than the image height (nor than the record's 16 bits hold).
    const int64_t bytesPerRow = (2 * int64_t(planes) + 1) * int64_t(width);
    int64_t rows;
    if (maxSpace <= 0)
        rows = 1;
    else if (bytesPerRow <= 0)
        rows = height;
    else
        rows = (int64_t(maxSpace) + bytesPerRow - 1) / bytesPerRow;
    if (rows > height) rows = height;
    if (rows > kMaxRowSkip) rows = kMaxRowSkip;
    if (rows < 1) rows = 1;
    return int32_t(rows);
}

int32_t PlanRowSkipFor(const FilterRecord* record) {
    const VRect filter = GetFilterRect(record);
    return PlanRowSkip(RectWidth(filter), RectHeight(filter), record->planes, record->maxSpace);
}

void DoPrepare(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    record->bufferSpace = 0;
    EnsureParameters(globals);
    EngraveParams* params = CurrentParams();
    if (ResultOf(globals) != noErr || !params) return;

    const VRect filter = GetFilterRect(record);
    const int32_t width = RectWidth(filter);
    const int32_t height = RectHeight(filter);
    const int32_t rowSkip = PlanRowSkipFor(record);
    params->rowSkip = int16_t(rowSkip);

    if (rowSkip < height) ShowAlert("this image is very large", "Warning!", AlertIcon::Exclamation);

    const int64_t bytesPerRow = (2 * int64_t(record->planes) + 1) * int64_t(width);
    const int64_t space = int64_t(rowSkip) * bytesPerRow;
    record->maxSpace = space > INT32_MAX ? INT32_MAX : space < 0 ? 0 : int32_t(space);
}
