#include "cli/image/PackedPixels.h"

#include <cstring>

namespace {

// Indexed by PackedLayout.
const PackedShape kShapes[] = {
    {ColorModel::Gray, false, 8, 1, {0, -1, -1, -1, -1}},
    {ColorModel::Gray, false, 16, 1, {0, -1, -1, -1, -1}},
    {ColorModel::Rgb, false, 8, 3, {2, 1, 0, -1, -1}},
    {ColorModel::Rgb, false, 8, 3, {0, 1, 2, -1, -1}},
    {ColorModel::Rgb, false, 8, 4, {2, 1, 0, -1, -1}},
    {ColorModel::Rgb, true, 8, 4, {2, 1, 0, 3, -1}},
    {ColorModel::Rgb, true, 8, 4, {0, 1, 2, 3, -1}},
    {ColorModel::Rgb, false, 16, 3, {0, 1, 2, -1, -1}},
    {ColorModel::Rgb, false, 16, 3, {2, 1, 0, -1, -1}},
    {ColorModel::Rgb, true, 16, 4, {0, 1, 2, 3, -1}},
    {ColorModel::Rgb, true, 16, 4, {2, 1, 0, 3, -1}},
    {ColorModel::Cmyk, false, 8, 4, {0, 1, 2, 3, -1}},
    {ColorModel::Cmyk, false, 16, 4, {0, 1, 2, 3, -1}},
    {ColorModel::Cmyk, true, 8, 5, {0, 1, 2, 3, 4}},
    {ColorModel::Cmyk, true, 16, 5, {0, 1, 2, 3, 4}},
};

}  // namespace

const PackedShape& ShapeOf(PackedLayout layout) { return kShapes[int(layout)]; }

void UnpackRows(PackedLayout layout, const uint8_t* packed, size_t stride, uint32_t firstRow, uint32_t rows,
                Image& image) {
    const PackedShape& shape = ShapeOf(layout);
    const int spp = SamplesPerPixel(image);
    for (uint32_t y = 0; y < rows; ++y) {
        const uint8_t* source = packed + size_t(y) * stride;
        const size_t rowStart = size_t(firstRow + y) * image.width * spp;
        for (uint32_t x = 0; x < image.width; ++x) {
            const size_t pixel = rowStart + size_t(x) * spp;
            for (int c = 0; c < shape.channels; ++c) {
                const int target = shape.order[c];
                if (target < 0) continue;
                if (shape.depth == 16) {
                    uint16_t v;
                    std::memcpy(&v, source + (size_t(x) * shape.channels + c) * 2, 2);
                    image.samples16[pixel + target] = v;
                } else {
                    image.samples8[pixel + target] = source[size_t(x) * shape.channels + c];
                }
            }
        }
    }
}

void PackRows(const Image& image, PackedLayout layout, uint32_t firstRow, uint32_t rows, uint8_t* packed,
              size_t stride) {
    const PackedShape& shape = ShapeOf(layout);
    const int spp = SamplesPerPixel(image);
    for (uint32_t y = 0; y < rows; ++y) {
        uint8_t* target = packed + size_t(y) * stride;
        const size_t rowStart = size_t(firstRow + y) * image.width * spp;
        for (uint32_t x = 0; x < image.width; ++x) {
            const size_t pixel = rowStart + size_t(x) * spp;
            for (int c = 0; c < shape.channels; ++c) {
                const int source = shape.order[c];
                if (shape.depth == 16) {
                    const uint16_t v = source < 0 ? 0xFFFF : image.samples16[pixel + source];
                    std::memcpy(target + (size_t(x) * shape.channels + c) * 2, &v, 2);
                } else {
                    target[size_t(x) * shape.channels + c] = source < 0 ? 0xFF : image.samples8[pixel + source];
                }
            }
        }
    }
}

PackedLayout LayoutForPng(const Image& image) {
    if (image.model == ColorModel::Gray && !image.hasAlpha) {
        return image.depth == 16 ? PackedLayout::Gray16 : PackedLayout::Gray8;
    }
    if (image.depth == 16) return image.hasAlpha ? PackedLayout::Rgba16 : PackedLayout::Rgb16;
    return image.hasAlpha ? PackedLayout::Bgra8 : PackedLayout::Bgr8;
}

PackedLayout LayoutForJpeg(const Image& image) {
    if (image.model == ColorModel::Cmyk) return PackedLayout::Cmyk8;
    return image.model == ColorModel::Gray ? PackedLayout::Gray8 : PackedLayout::Bgr8;
}

PackedLayout LayoutForBmp(const Image&) { return PackedLayout::Bgr8; }
