#include "tests/engine/EngraveTestImage.h"

#include <algorithm>
#include <cstring>

uint32_t Picture::Get(int x, int y, int p) const {
    const size_t i = size_t(y) * RowStride() + size_t(x) * planes + p;
    if (depth != 16) return bytes[i];
    uint16_t v;
    std::memcpy(&v, bytes.data() + 2 * i, 2);
    return v;
}

void Picture::Set(int x, int y, int p, uint32_t v) {
    const size_t i = size_t(y) * RowStride() + size_t(x) * planes + p;
    const uint16_t s = uint16_t(v);
    if (depth == 16)
        std::memcpy(bytes.data() + 2 * i, &s, 2);
    else
        bytes[i] = uint8_t(v);
}

Picture MakePicture(int width, int height, int planes, int depth) {
    Picture p;
    p.width = width, p.height = height, p.planes = planes, p.depth = depth;
    p.bytes.assign(size_t(width) * height * planes * p.SampleBytes(), 0);
    return p;
}

Picture MakeGradientPicture(int width, int height, int planes, int depth) {
    Picture p = MakePicture(width, height, planes, depth);
    const uint32_t full = depth == 16 ? 32768 : 255;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double u = double(x) / (width > 1 ? width - 1 : 1), v = double(y) / (height > 1 ? height - 1 : 1);
            double r = u, g = v, b = 1.0 - 0.5 * (u + v);
            double dx = x - width * 0.3, dy = y - height * 0.6;
            if (dx * dx + dy * dy < (height * 0.2) * (height * 0.2)) r *= 0.1, g *= 0.1, b *= 0.1;
            if (x > width * 0.7 && y < height * 0.3) r = g = b = 0.05;
            p.Set(x, y, 0, uint32_t(r * full));
            p.Set(x, y, 1, uint32_t(g * full));
            p.Set(x, y, 2, uint32_t(b * full));
            if (planes >= 4) p.Set(x, y, 3, uint32_t((1.0 - 0.5 * u) * full));
            for (int k = 4; k < planes; ++k) p.Set(x, y, k, uint32_t((0.25 + 0.5 * v) * full));
        }
    return p;
}

std::vector<uint8_t> MakeTestMask(int width, int height) {
    std::vector<uint8_t> m(size_t(width) * height, 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double dx = x - width * 0.65, dy = y - height * 0.5;
            if (dx * dx + dy * dy < (height * 0.25) * (height * 0.25)) m[size_t(y) * width + x] = 0;
            if (y > height * 0.8) m[size_t(y) * width + x] = uint8_t(x * 7);
            if (x < width / 8) m[size_t(y) * width + x] = 0;
        }
    return m;
}

Picture RenderInBands(const EngraveSettings& params, const Picture& source, int bands, const RenderSetup& setup) {
    Picture out = MakePicture(source.width, source.height, source.planes, source.depth);
    const int reach = EngraveReach(params, source.width, source.height);
    MaskView mask{};
    if (setup.mask) mask = MaskView{setup.mask->data(), source.width, 0, 0, source.width, source.height};
    for (int i = 0, top = 0; i < bands; ++i) {
        const int bottom = int(int64_t(source.height) * (i + 1) / bands), rows = bottom - top;
        if (rows <= 0) continue;
        const int winTop = std::max(0, top - reach), winBottom = std::min(source.height, bottom + reach);
        // Only the delivered rows exist, in buffers of their own, so that the
        // sanitizers see any access beyond them. A host's output starts as
        // the input; scratch arrives dirty, the engine must clear what it uses.
        std::vector<uint8_t> window(source.Row(winTop), source.Row(winBottom));
        std::vector<uint8_t> band(source.Row(top), source.Row(bottom));
        std::vector<uint8_t> subpixels(SubpixelRasterBytes(source.width, rows), 0xA5);
        std::vector<uint8_t> coverage(CoverageRasterBytes(source.width, rows), 0x5A);
        const EngraveImage image{source.planes, source.depth, setup.cmykConverted,
                                 SampleWindow{window.data(), source.RowStride(), 0, winTop, source.width,
                                              winBottom - winTop},
                                 band.data(), source.RowStride()};
        const EngraveRegion region{source.width, source.height, 0, top, source.width, rows};
        const EngraveScratch scratch{subpixels.data(), coverage.data()};
        (setup.reference ? EngraveRenderReference : EngraveRender)(
            params, region, image, mask, RenderOptions{setup.densifyRelief, setup.threads}, scratch, EngraveProgress{});
        std::copy(band.begin(), band.end(), out.Row(top));
        top = bottom;
    }
    return out;
}

Picture RenderPane(const EngraveSettings& params, const Picture& source, int left, int top, int width, int height,
                   const RenderSetup& setup) {
    Picture out = MakePicture(width, height, source.planes, source.depth);
    for (int y = 0; y < height; ++y)
        std::copy(source.Row(top + y) + size_t(left) * source.planes * source.SampleBytes(),
                  source.Row(top + y) + size_t(left + width) * source.planes * source.SampleBytes(), out.Row(y));
    std::vector<uint8_t> subpixels(SubpixelRasterBytes(width, height), 0xA5);
    std::vector<uint8_t> coverage(CoverageRasterBytes(width, height), 0x5A);
    const EngraveImage image{source.planes, source.depth, setup.cmykConverted,
                             SampleWindow{source.bytes.data(), source.RowStride(), 0, 0, source.width, source.height},
                             out.bytes.data(), out.RowStride()};
    const EngraveRegion region{source.width, source.height, left, top, width, height};
    (setup.reference ? EngraveRenderReference : EngraveRender)(params, region, image, MaskView{},
                                                               RenderOptions{setup.densifyRelief, setup.threads},
                                                               EngraveScratch{subpixels.data(), coverage.data()},
                                                               EngraveProgress{});
    return out;
}

uint64_t HashPicture(const Picture& p) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : p.bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

std::vector<uint8_t> ToRgba8(const Picture& p) {
    std::vector<uint8_t> rgba(size_t(p.width) * p.height * 4);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < 4; ++c) {
                uint32_t v = c < 3 || p.planes >= 4 ? p.Get(x, y, c) : (p.depth == 16 ? 32768 : 255);
                if (p.depth == 16) v = v >= 32768 ? 255 : v * 255 / 32768;
                rgba[(size_t(y) * p.width + x) * 4 + c] = uint8_t(v);
            }
    return rgba;
}
