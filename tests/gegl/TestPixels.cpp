#include "tests/gegl/TestPixels.h"

#include <cmath>
#include <cstring>

TestPixels BlankPixels(const PixelRect& rect, const PixelLayout& layout) {
    TestPixels p;
    p.rect = rect;
    p.layout = layout;
    p.bytes.assign(p.RowBytes() * size_t(rect.height), 0);
    return p;
}

TestPixels MakeTestPixels(const PixelRect& rect, const PixelLayout& layout, uint32_t seed) {
    TestPixels p = BlankPixels(rect, layout);
    const double full = layout.depth == 16 ? 65535.0 : 255.0;
    uint32_t noise = seed;
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x) {
            const double u = double(x) / rect.width, v = double(y) / rect.height;
            double tone = 0.5 + 0.3 * std::sin(7 * u + 3 * v) + 0.2 * std::cos(11 * v);
            if ((u - 0.4) * (u - 0.4) + (v - 0.5) * (v - 0.5) < 0.03) tone *= 0.2;
            for (int c = 0; c < layout.planes; ++c) {
                noise = noise * 1664525u + 1013904223u;
                double s = c == 3 ? 1.0 - 0.75 * u * v : tone + 0.1 * (c - 1) * u + double(noise >> 24) / 2550.0;
                s = s < 0 ? 0 : s > 1 ? 1 : s;
                const uint32_t value = uint32_t(s * full + 0.5);
                uint8_t* at = p.bytes.data() + size_t(y) * p.RowBytes() + size_t(x) * p.PixelBytes();
                if (layout.depth == 16) {
                    const uint16_t v16 = uint16_t(value);
                    std::memcpy(at + 2 * c, &v16, 2);
                } else {
                    at[c] = uint8_t(value);
                }
            }
        }
    return p;
}

TestPixels Crop(const TestPixels& pixels, const PixelRect& rect) {
    TestPixels out = BlankPixels(rect, pixels.layout);
    for (int y = 0; y < rect.height; ++y)
        std::memcpy(out.bytes.data() + size_t(y) * out.RowBytes(),
                    pixels.bytes.data() + size_t(rect.y - pixels.rect.y + y) * pixels.RowBytes() +
                        size_t(rect.x - pixels.rect.x) * pixels.PixelBytes(),
                    out.RowBytes());
    return out;
}

TestPixels RenderWhole(const EngraveSettings& settings, const TestPixels& picture) {
    TestPixels source = picture, out = BlankPixels(picture.rect, picture.layout);
    RenderRegion(settings, picture.rect, picture.layout, source.Block(), picture.rect, out.Block());
    return out;
}

std::string Difference(const TestPixels& actual, const TestPixels& expected) {
    if (actual.bytes.size() != expected.bytes.size()) return "the sizes differ";
    const size_t sampleBytes = expected.layout.depth == 16 ? 2 : 1;
    for (size_t i = 0; i < expected.bytes.size(); i += sampleBytes) {
        if (std::memcmp(&actual.bytes[i], &expected.bytes[i], sampleBytes) == 0) continue;
        const size_t pixel = i / expected.PixelBytes();
        return "first difference at x " + std::to_string(expected.rect.x + int(pixel % expected.rect.width)) +
               ", y " + std::to_string(expected.rect.y + int(pixel / expected.rect.width)) + ", sample " +
               std::to_string(i % expected.PixelBytes() / sampleBytes);
    }
    return "";
}
