#include "host/HostRects.h"

namespace {

VRect Widen(const PIRect& r) { return VRect{r.top, r.left, r.bottom, r.right}; }

// 16-bit hosts cannot address more: keep the low 16 bits, as they would.
PIRect Narrow(const VRect& r) {
    return PIRect{int16_t(r.top), int16_t(r.left), int16_t(r.bottom), int16_t(r.right)};
}

}  // namespace

void OptInBigDocument(FilterRecord* record) {
    if (record && record->bigDocumentData) record->bigDocumentData->PluginUsing32BitCoordinates = 1;
}

bool UsesBigDocument(const FilterRecord* record) {
    return record && record->bigDocumentData && record->bigDocumentData->PluginUsing32BitCoordinates;
}

VRect GetFilterRect(const FilterRecord* record) {
    return UsesBigDocument(record) ? record->bigDocumentData->filterRect32 : Widen(record->filterRect);
}

VRect GetInRect(const FilterRecord* record) {
    return UsesBigDocument(record) ? record->bigDocumentData->inRect32 : Widen(record->inRect);
}

VRect GetOutRect(const FilterRecord* record) {
    return UsesBigDocument(record) ? record->bigDocumentData->outRect32 : Widen(record->outRect);
}

VRect GetMaskRect(const FilterRecord* record) {
    return UsesBigDocument(record) ? record->bigDocumentData->maskRect32 : Widen(record->maskRect);
}

void SetInRect(FilterRecord* record, const VRect& rect) {
    if (UsesBigDocument(record))
        record->bigDocumentData->inRect32 = rect;
    else
        record->inRect = Narrow(rect);
}

void SetOutRect(FilterRecord* record, const VRect& rect) {
    if (UsesBigDocument(record))
        record->bigDocumentData->outRect32 = rect;
    else
        record->outRect = Narrow(rect);
}

void SetMaskRect(FilterRecord* record, const VRect& rect) {
    if (UsesBigDocument(record))
        record->bigDocumentData->maskRect32 = rect;
    else
        record->maskRect = Narrow(rect);
}
