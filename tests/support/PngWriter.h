// A small PNG writer for test artefacts and golden images: 8-bit RGB or
// RGBA on zlib alone, so it runs the same natively and under wine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels of `channels` (3 or 4) interleaved bytes;
// false if the file cannot be written.
bool WritePng(const std::string& path, const uint8_t* pixels, int width, int height, int channels);
