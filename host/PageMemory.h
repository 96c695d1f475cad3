// Zero-filled allocations for the pass-local buffers (source copy,
// rasters), freed as soon as the pass ends: page allocations from Windows;
// on Linux the C heap, whose freed pages the next large buffer reuses
// without touching new ones.
#pragma once

#include <cstddef>

void* PageAlloc(size_t bytes);  // null on failure
void PageFree(void* block, size_t bytes);

// Tests: make allocations fail once `bytes` are in use by pass buffers
// (SIZE_MAX, the default, means no limit).
void SetPageMemoryLimitForTesting(size_t bytes);
