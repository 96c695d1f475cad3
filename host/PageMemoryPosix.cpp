#include <sys/mman.h>

#include "host/PageMemory.h"
#include "host/PageMemoryLimit.h"

void* PageAlloc(size_t bytes) {
    if (!ReservePageMemory(bytes)) return nullptr;
    void* block = mmap(nullptr, bytes == 0 ? 1 : bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block != MAP_FAILED) return block;
    ReturnPageMemory(bytes);
    return nullptr;
}

void PageFree(void* block, size_t bytes) {
    if (!block) return;
    munmap(block, bytes == 0 ? 1 : bytes);
    ReturnPageMemory(bytes);
}
