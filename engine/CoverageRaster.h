// The antialiased path's rasters. The subpixel raster holds one bit per
// subpixel, 4 x 4 per image pixel: subpixel (sx, sy) is bit sx mod 8 of
// byte sx / 8 of row sy, so a byte covers two neighbouring pixels. The
// coverage raster holds one nibble per pixel: the count of set subpixels,
// 16 stored as 15.
#pragma once

#include <cstdint>

struct NibbleCountTable {
    // Entry b: (set bits of b's high nibble) * 256 + (set bits of its low nibble).
    uint16_t entries[256];
};

void BuildNibbleCountTable(NibbleCountTable* table);

// Sets subpixel (x, y); dropped when x < 0, y < 0, x / 8 >= rowBytes or y >= rows.
void SetRasterBit(int x, int y, uint8_t* subpixels, int rowBytes, int rows);

// Sets subpixels x0..x1 (inclusive) of row y, with SetRasterBit's clipping.
void SetRasterRun(int x0, int x1, int y, uint8_t* subpixels, int rowBytes, int rows);

// Sets bits first..last (inclusive, 0 <= first <= last, inside the row) of one raster row.
void SetRowBits(uint8_t* row, int64_t first, int64_t last);

// Builds the h rows of the coverage raster from the 4h rows of subpixels.
void ReduceCoverage(int width, int height, int rowBytes, const uint8_t* subpixels, uint8_t* coverage,
                    const NibbleCountTable& table);
