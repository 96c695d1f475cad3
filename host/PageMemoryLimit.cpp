#include <cstdint>

#include "host/PageMemory.h"
#include "host/PageMemoryLimit.h"

namespace {
size_t gLimit = SIZE_MAX;
size_t gInUse = 0;
}  // namespace

void SetPageMemoryLimitForTesting(size_t bytes) { gLimit = bytes; }

bool ReservePageMemory(size_t bytes) {
    if (bytes > gLimit || gInUse > gLimit - bytes) return false;
    gInUse += bytes;
    return true;
}

void ReturnPageMemory(size_t bytes) { gInUse = bytes > gInUse ? 0 : gInUse - bytes; }
