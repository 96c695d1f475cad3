// The largest image the readers accept, checked from the header before any
// sample buffer is allocated. Each side is capped at 30000 pixels (the
// classic document limit, so every coordinate fits the interface's 16-bit
// rectangles) and the area at 2^28 pixels (16384 x 16384): a 16-bit CMYK
// image with transparency then needs at most 2.5 GiB, and the host holds it
// about three times (file image, input and output of the filter).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t kMaxImageSide = 30000;
constexpr uint64_t kMaxImagePixels = uint64_t(1) << 28;
constexpr uint64_t kMaxImageFileBytes = uint64_t(4) << 30;  // read whole into memory

// Empty when width x height fits the limits, else the reason.
std::string CheckImageSize(uint64_t width, uint64_t height);

// Compressed data cannot expand beyond a fixed ratio (deflate 1032:1). A
// header whose decoded size is out of reach of the bytes actually present is
// refused before allocating for it. Empty when plausible, else the reason.
std::string CheckDataCanFill(uint64_t decodedBytes, uint64_t inputBytes, uint64_t maxRatio);
