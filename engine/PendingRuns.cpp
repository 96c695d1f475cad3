#include "engine/PendingRuns.h"

#include <cstring>

#include "engine/CoverageRaster.h"

void SetClippedRun(uint8_t* subpixels, int rowBytes, int row, int first, int last) {
    uint8_t* bytes = subpixels + int64_t(row) * rowBytes;
    const int firstByte = first >> 3;
    if (last - (first & ~7) < 64 && firstByte + 8 <= rowBytes) {
        // The whole run in one 64-bit word of this row (bytes outside the
        // run are rewritten unchanged, and belong to this band).
        const int from = first & 7, count = last - first + 1;
        const uint64_t bits = (count == 64 ? ~uint64_t(0) : ((uint64_t(1) << count) - 1)) << from;
        uint8_t* word = bytes + firstByte;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        uint64_t v;
        std::memcpy(&v, word, 8);
        v |= bits;
        std::memcpy(word, &v, 8);
#else
        for (int i = 0; i < 8; ++i) word[i] |= uint8_t(bits >> (8 * i));
#endif
        return;
    }
    SetRowBits(bytes, first, last);
}

void FlushPendingRuns(PendingRuns* runs) {
    for (PendingRun& slot : runs->slots) {
        if (slot.row >= 0) SetClippedRun(runs->subpixels, runs->rowBytes, slot.row, slot.first, slot.last);
        slot.row = -1;
    }
}
