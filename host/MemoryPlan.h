// The memory plan of the Prepare selector.
#pragma once

#include <cstdint>

// rowSkip is a 16-bit field of the stored record.
constexpr int32_t kMaxRowSkip = 32767;

// Rows per chunk for an image of width x height with `planes` samples per
// pixel under a budget of maxSpace bytes (input, output and mask rows).
int32_t PlanRowSkip(int32_t width, int32_t height, int32_t planes, int32_t maxSpace);

struct FilterRecord;

// PlanRowSkip for the filter rectangle, planes and maxSpace of `record`.
int32_t PlanRowSkipFor(const FilterRecord* record);
