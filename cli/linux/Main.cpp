#include <malloc.h>

#include "cli/commands/Commands.h"

int main(int argc, char** argv) {
    // An engraving run allocates and frees a few image-sized buffers one
    // after another. glibc gives each one fresh pages from the system and
    // returns them on free, so every buffer pays for its first touch again
    // (several milliseconds per megabyte on some virtual machines). Kept in
    // the heap, a freed buffer's pages serve the next one.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    return LumericMain(argc, argv);
}
