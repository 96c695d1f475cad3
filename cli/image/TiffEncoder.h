// A baseline TIFF writer: little-endian, uncompressed strips, one image.
// RGB, RGBA, CMYK (ink amounts, InkSet CMYK) and CMYK+alpha at 8 or 16
// bits, unassociated alpha, the ICC profile and the resolution kept. The
// Windows command writes its TIFFs with it because the system's TIFF
// encoder cannot be relied on for CMYK or for embedded profiles.
// Portable: tested on Linux against libtiff.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "cli/image/Image.h"

// Hands the file to `write` in order; stops at the first false. Empty on
// success, else the reason.
std::string EncodeTiff(const Image& image, const std::function<bool(const void* data, size_t size)>& write);
