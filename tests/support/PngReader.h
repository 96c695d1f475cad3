// Reads back the PNG files PngWriter makes (8-bit RGB or RGBA, every row
// with filter type 0), to compare with reviewed golden images without
// libpng; other PNG files are refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fills RGBA pixels (RGB files get alpha 255); false for anything else.
bool ReadTestPng(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height);
