#include <windows.h>

#include "host/PageMemory.h"
#include "host/PageMemoryLimit.h"

void* PageAlloc(size_t bytes) {
    if (!ReservePageMemory(bytes)) return nullptr;
    void* block = VirtualAlloc(nullptr, bytes == 0 ? 1 : bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block) ReturnPageMemory(bytes);
    return block;
}

void PageFree(void* block, size_t bytes) {
    if (!block) return;
    VirtualFree(block, 0, MEM_RELEASE);
    ReturnPageMemory(bytes);
}
