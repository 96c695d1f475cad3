// Compositing: what the paper between the strokes looks like, what the ink
// does, how the three colour schemas differ, how `invert` swaps ink and
// paper and how "Fill alpha" flattens transparency onto black.
#pragma once

#include <cstdint>

#include "engine/PixelRegion.h"

// The switches every compositing step reads; colorSchema is 0, 1 or 2
// (unknown values already folded into 0).
struct CompositeSwitches {
    int colorSchema;
    bool invert;
    bool fillAlpha;
    bool cmykConverted;
};

// Paper value of a coverage nibble: the brightness the pixel keeps, MAX
// for bare paper, 0 under full ink.
uint32_t PaperValue(int cov, bool invert, bool is16);

// mul(v, k) = trunc(v * k * 0.003921569) for 8 bits (exactly floor(v*k/255)),
// trunc(v * k / 32768) for 16 bits.
uint32_t ScaleSample(uint32_t v, uint32_t k, bool is16);

// Once per render, before the first pass.
void PreFillOutput(const PixelRegion& px, const CompositeSwitches& sw, bool antialiased);

// One stamped point of the direct path; points outside the region are ignored.
void PutInkPixel(int row, int col, const PixelRegion& px, const CompositeSwitches& sw, int channel);

// Applies one pass's 4-bit coverage raster (ceil(width/2) bytes per row).
void CompositeCoverage(const PixelRegion& px, const uint8_t* coverage, int coverageRowBytes,
                       const CompositeSwitches& sw, int channel);
