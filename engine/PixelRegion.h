// The pixels one render writes and reads: the output region and the
// untouched source pixels of the same region, interleaved samples of
// 8 bits (full scale 255) or 16 bits (full scale 32768).
#pragma once

#include <cstdint>

struct PixelRegion {
    void* out;           // the region's pixel (0, 0)
    int32_t outStride;   // samples per row
    const void* src;     // the same pixel in the source copy
    int32_t srcStride;   // samples per row
    int width, height;
    int planes;
    bool is16;
};

constexpr uint32_t kMax8 = 255;
constexpr uint32_t kMax16 = 32768;

inline uint32_t SampleMax(bool is16) { return is16 ? kMax16 : kMax8; }

template <typename Sample>
Sample* OutPixel(const PixelRegion& px, int x, int y) {
    return static_cast<Sample*>(px.out) + (int64_t(y) * px.outStride + int64_t(x) * px.planes);
}

template <typename Sample>
const Sample* SrcPixel(const PixelRegion& px, int x, int y) {
    return static_cast<const Sample*>(px.src) + (int64_t(y) * px.srcStride + int64_t(x) * px.planes);
}
