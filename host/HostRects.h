// Rectangle accessors: the host's 32-bit big-document rectangles when it
// offers them (the module opts in), else the 16-bit ones of the FilterRecord.
//
// Values travel as 32-bit rectangles so that documents wider or taller than
// 32767 pixels keep their true coordinates on hosts with big-document
// support; on other hosts they are the 16-bit values, sign-extended.
#pragma once

#include "host/PluginInterface.h"

// Announces 32-bit coordinates to a host that offers them.
void OptInBigDocument(FilterRecord* record);
bool UsesBigDocument(const FilterRecord* record);

VRect GetFilterRect(const FilterRecord* record);
VRect GetInRect(const FilterRecord* record);
VRect GetOutRect(const FilterRecord* record);
VRect GetMaskRect(const FilterRecord* record);
void SetInRect(FilterRecord* record, const VRect& rect);
void SetOutRect(FilterRecord* record, const VRect& rect);
void SetMaskRect(FilterRecord* record, const VRect& rect);

inline VRect MakeRect(int32_t top, int32_t left, int32_t bottom, int32_t right) {
    return VRect{top, left, bottom, right};
}
inline int32_t RectWidth(const VRect& r) { return r.right - r.left; }
inline int32_t RectHeight(const VRect& r) { return r.bottom - r.top; }
inline bool RectEmpty(const VRect& r) { return r.right <= r.left || r.bottom <= r.top; }
