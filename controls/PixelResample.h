// Resizing a picture to a screen's DPI: each target pixel averages the
// source area it covers (area sampling), so pictures shrink without
// dropped lines and grow by fractional factors without doubled rows.
#pragma once

#include <cstdint>

// 32-bit 0x00RRGGBB pixels, rows top-down, tightly packed.
void ResamplePixels(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* target, int targetWidth,
                    int targetHeight);
