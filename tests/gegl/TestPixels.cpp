#include "tests/gegl/TestPixels.h"

#include <cstring>

TestPixels MakeTestPixels(const PixelRect& rect, const PixelLayout& layout, bool blank) {
    TestPixels p{rect, layout, {}};
    p.bytes.assign(p.RowBytes() * size_t(rect.height), 0);
    uint32_t grain = 1;
    for (size_t i = 0; !blank && i < p.bytes.size(); ++i) {
        const size_t pixel = i / p.PixelBytes(), x = pixel % size_t(rect.width), y = pixel / size_t(rect.width);
        grain = grain * 1664525u + 1013904223u;
        p.bytes[i] = uint8_t((x * 2 + y * 3) % 256 / 2 + (grain >> 26) + (i % p.PixelBytes()) * 20);
    }
    return p;
}

TestPixels Crop(const TestPixels& pixels, const PixelRect& rect) {
    TestPixels out = MakeTestPixels(rect, pixels.layout, true);
    for (int y = 0; y < rect.height; ++y)
        std::memcpy(&out.bytes[size_t(y) * out.RowBytes()],
                    &pixels.bytes[size_t(rect.y - pixels.rect.y + y) * pixels.RowBytes() +
                                  size_t(rect.x - pixels.rect.x) * pixels.PixelBytes()],
                    out.RowBytes());
    return out;
}

TestPixels RenderWhole(const EngraveSettings& settings, const TestPixels& picture) {
    TestPixels source = picture, out = MakeTestPixels(picture.rect, picture.layout, true);
    RenderRegion(settings, picture.rect, picture.layout, source.Block(), picture.rect, out.Block());
    return out;
}

std::string Difference(const TestPixels& actual, const TestPixels& expected) {
    for (size_t i = 0; i < expected.bytes.size(); ++i)
        if (actual.bytes.size() != expected.bytes.size() || actual.bytes[i] != expected.bytes[i]) {
            const size_t pixel = i / expected.PixelBytes();
            return "differs at x " + std::to_string(expected.rect.x + int(pixel % size_t(expected.rect.width))) +
                   ", y " + std::to_string(expected.rect.y + int(pixel / size_t(expected.rect.width)));
        }
    return "";
}
