#include "gegl/RegionRender.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/Engrave.h"
#include "gegl/Samples16.h"

namespace {

bool Covers(const PixelRect& outer, const PixelRect& inner) {
    const PixelRect both = Intersection(outer, inner);
    return both.x == inner.x && both.y == inner.y && both.width == inner.width && both.height == inner.height;
}

size_t PixelBytes(const PixelLayout& layout) { return size_t(layout.planes) * (layout.depth == 16 ? 2 : 1); }

// Rows of 16-bit samples copied through a conversion (unaligned-safe).
void CopyRows16(const uint8_t* from, size_t fromRowBytes, uint8_t* to, size_t toRowBytes, int rows, int samples,
                uint16_t (*convert)(uint16_t)) {
    for (int y = 0; y < rows; ++y) {
        const uint8_t* in = from + size_t(y) * fromRowBytes;
        uint8_t* outRow = to + size_t(y) * toRowBytes;
        for (int i = 0; i < samples; ++i) {
            uint16_t v;
            std::memcpy(&v, in + 2 * size_t(i), 2);
            v = convert(v);
            std::memcpy(outRow + 2 * size_t(i), &v, 2);
        }
    }
}

}  // namespace

bool RenderRegion(const EngraveSettings& settings, const PixelRect& image, const PixelLayout& layout,
                  const PixelBlock& source, const PixelRect& region, const PixelBlock& out) {
    if (layout.planes < 3 || (layout.depth != 8 && layout.depth != 16)) return false;
    if (IsEmpty(region) || !Covers(image, region) || !Covers(out.rect, region)) return false;
    const int reach = EngraveReach(settings, image.width, image.height);
    if (!Covers(source.rect, InputBand(region, image, reach))) return false;

    const bool deep = layout.depth == 16;
    const size_t pixelBytes = PixelBytes(layout);
    const int sourceSamples = source.rect.width * layout.planes;
    const int outSamples = region.width * layout.planes;

    // 16-bit pixels go through copies in the engine's scale.
    std::vector<uint16_t> source16, out16;
    if (deep) {
        source16.resize(size_t(sourceSamples) * source.rect.height);
        CopyRows16(static_cast<const uint8_t*>(source.data), source.rowBytes,
                   reinterpret_cast<uint8_t*>(source16.data()), size_t(sourceSamples) * 2, source.rect.height,
                   sourceSamples, ToEngine16);
        out16.resize(size_t(outSamples) * region.height);
    }

    EngraveImage engraved{};
    engraved.planes = layout.planes;
    engraved.depth = layout.depth;
    engraved.source.data = deep ? static_cast<const void*>(source16.data()) : source.data;
    engraved.source.rowStride = deep ? sourceSamples : int32_t(source.rowBytes);
    engraved.source.left = source.rect.x - image.x;
    engraved.source.top = source.rect.y - image.y;
    engraved.source.width = source.rect.width;
    engraved.source.height = source.rect.height;
    uint8_t* outCorner = static_cast<uint8_t*>(out.data) + size_t(region.y - out.rect.y) * out.rowBytes +
                         size_t(region.x - out.rect.x) * pixelBytes;
    engraved.out = deep ? static_cast<void*>(out16.data()) : outCorner;
    engraved.outRowStride = deep ? outSamples : int32_t(out.rowBytes);

    const bool antialiased = settings.noAntialias == 0;
    std::vector<uint8_t> subpixels(antialiased ? SubpixelRasterBytes(region.width, region.height) : 0);
    std::vector<uint8_t> coverage(antialiased ? CoverageRasterBytes(region.width, region.height) : 0);
    const int left = region.x - image.x, top = region.y - image.y;
    const EngraveRegion where{image.width, image.height, left, top, region.width, region.height};
    EngraveRender(settings, where, engraved, MaskView{}, RenderOptions{},
                  EngraveScratch{subpixels.data(), coverage.data()}, EngraveProgress{});

    if (deep)
        CopyRows16(reinterpret_cast<const uint8_t*>(out16.data()), size_t(outSamples) * 2, outCorner, out.rowBytes,
                   region.height, outSamples, FromEngine16);
    return true;
}
