#include <windows.h>

#include "host/PageMemory.h"

void* PageAlloc(size_t bytes) {
    return VirtualAlloc(nullptr, bytes == 0 ? 1 : bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void PageFree(void* block, size_t) {
    if (block) VirtualFree(block, 0, MEM_RELEASE);
}
