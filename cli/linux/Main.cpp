#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "cli/commands/Commands.h"

namespace {

// An engraving run allocates and frees a few image-sized buffers one after
// another, and the first touch of a fresh page costs far more than writing
// it (on some virtual machines 3 ms per megabyte, a third of a whole run).
// Large requests are served from the heap and the heap is never trimmed,
// so a freed buffer's pages serve the next one; and the heap's first
// gigabyte is marked for large pages, which take one fault where small
// pages take five hundred. The gigabyte is address space only: its pages
// exist once buffers touch them.
void PrepareHeapForImages() {
    if (!mallopt(M_MMAP_THRESHOLD, INT32_MAX) || !mallopt(M_TRIM_THRESHOLD, INT32_MAX)) return;
#ifdef MADV_HUGEPAGE
    constexpr size_t kReserve = size_t(1) << 30;
    if (sizeof(void*) < 8) return;
    void* block = std::malloc(kReserve);
    if (!block) return;
    const uintptr_t large = uintptr_t(2) << 20;
    const uintptr_t first = (uintptr_t(block) + large - 1) & ~(large - 1);
    const uintptr_t end = (uintptr_t(block) + kReserve) & ~(large - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    std::free(block);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    PrepareHeapForImages();
    return LumericMain(argc, argv);
}
