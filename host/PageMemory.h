// Zero-filled page allocations for the pass-local buffers (source copy,
// rasters): returned to the system as soon as the pass ends.
#pragma once

#include <cstddef>

void* PageAlloc(size_t bytes);  // null on failure
void PageFree(void* block, size_t bytes);

// Tests: make allocations fail once `bytes` are in use by pass buffers
// (SIZE_MAX, the default, means no limit).
void SetPageMemoryLimitForTesting(size_t bytes);
