#include <sys/mman.h>

#include "host/PageMemory.h"

void* PageAlloc(size_t bytes) {
    if (bytes == 0) bytes = 1;
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void PageFree(void* block, size_t bytes) {
    if (block) munmap(block, bytes == 0 ? 1 : bytes);
}
