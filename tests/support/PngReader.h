// Reads back the PNG files PngWriter makes (8-bit RGB or RGBA, stored
// deflate blocks). Enough to compare with reviewed golden images without a
// library; other PNG files are refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fills RGBA pixels (RGB files get alpha 255); false for anything else.
bool ReadStoredPng(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height);
