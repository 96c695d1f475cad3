// An image as the plug-in interface sees it: interleaved samples, 8-bit
// (0..255) or 16-bit (0..32768), RGB or CMYK (CMYK stored as the interface
// does: full scale = no ink), an optional transparency as the last plane.
#pragma once

#include <cstdint>
#include <vector>

#include "host/PluginInterface.h"

struct InterfaceImage {
    int32_t width = 0, height = 0;
    int16_t planes = 3;
    int16_t depth = 8;                   // 8 or 16
    int16_t mode = plugInModeRGBColor;   // RGB, RGB48, CMYK or CMYK64
    std::vector<uint8_t> pixels;         // rows of width x planes samples, no padding

    int bytesPerSample() const { return depth == 16 ? 2 : 1; }
    size_t rowBytes() const { return size_t(width) * planes * bytesPerSample(); }
};
