#include <cstdlib>

#include "host/PageMemory.h"
#include "host/PageMemoryLimit.h"

void* PageAlloc(size_t bytes) {
    if (!ReservePageMemory(bytes)) return nullptr;
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (block) return block;
    ReturnPageMemory(bytes);
    return nullptr;
}

void PageFree(void* block, size_t bytes) {
    if (!block) return;
    std::free(block);
    ReturnPageMemory(bytes);
}
