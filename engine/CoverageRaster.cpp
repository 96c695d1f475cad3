#include "engine/CoverageRaster.h"

namespace {

constexpr uint8_t kNibbleBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

}  // namespace

void BuildNibbleCountTable(NibbleCountTable* table) {
    for (int hi = 0; hi < 16; ++hi)
        for (int lo = 0; lo < 16; ++lo) table->entries[hi * 16 + lo] = uint16_t(kNibbleBits[hi] * 256 + kNibbleBits[lo]);
}

void SetRasterBit(int x, int y, uint8_t* subpixels, int rowBytes, int rows) {
    // x / 8 truncates toward zero, so x = -3 would land in column 0: test x itself.
    if (x < 0 || y < 0 || x / 8 >= rowBytes || y >= rows) return;
    subpixels[int64_t(y) * rowBytes + x / 8] |= uint8_t(1u << (x % 8));
}

void SetRasterRun(int x0, int x1, int y, uint8_t* subpixels, int rowBytes, int rows) {
    if (y < 0 || y >= rows) return;
    int64_t last = int64_t(rowBytes) * 8 - 1;
    int64_t a = x0 < 0 ? 0 : x0;
    int64_t b = x1 > last ? last : x1;
    if (a > b) return;
    SetRowBits(subpixels + int64_t(y) * rowBytes, a, b);
}

void SetRowBits(uint8_t* row, int64_t first, int64_t last) {
    const int64_t firstByte = first >> 3, lastByte = last >> 3;
    const uint8_t headMask = uint8_t(0xFFu << (first & 7));
    const uint8_t tailMask = uint8_t(0xFFu >> (7 - (last & 7)));
    if (firstByte == lastByte) {
        row[firstByte] |= uint8_t(headMask & tailMask);
        return;
    }
    row[firstByte] |= headMask;
    for (int64_t i = firstByte + 1; i < lastByte; ++i) row[i] = 0xFF;
    row[lastByte] |= tailMask;
}

void ReduceCoverage(int width, int height, int rowBytes, const uint8_t* subpixels, uint8_t* coverage,
                    const NibbleCountTable& table) {
    (void)width;
    for (int y = 0; y < height; ++y) {
        const uint8_t* r0 = subpixels + int64_t(4 * y) * rowBytes;
        const uint8_t* r1 = r0 + rowBytes;
        const uint8_t* r2 = r1 + rowBytes;
        const uint8_t* r3 = r2 + rowBytes;
        uint8_t* out = coverage + int64_t(y) * rowBytes;
        for (int k = 0; k < rowBytes; ++k) {
            unsigned s = unsigned(table.entries[r0[k]]) + table.entries[r1[k]] + table.entries[r2[k]] +
                         table.entries[r3[k]];
            s -= (s >> 4) & 0x0101;  // a full 16 becomes 15
            out[k] = uint8_t(((s >> 8) << 4) | (s & 0xFF));
        }
    }
}
