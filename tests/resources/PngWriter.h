// A minimal PNG writer for test artifacts (screenshots): 8-bit RGB, stored
// (uncompressed) deflate blocks. Enough for any viewer; no dependencies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width x height x 3 bytes, rows top to bottom.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
