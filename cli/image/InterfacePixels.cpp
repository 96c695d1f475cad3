#include "cli/image/InterfacePixels.h"

#include <cstring>

#include "cli/image/SampleScale.h"

namespace {

uint16_t Load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

int16_t InterfaceMode(const Image& image) {
    const bool cmyk = image.model == ColorModel::Cmyk;
    if (image.depth == 16) return cmyk ? plugInModeCMYK64 : plugInModeRGB48;
    return cmyk ? plugInModeCMYKColor : plugInModeRGBColor;
}

int InterfacePlanes(const Image& image) {
    return (image.model == ColorModel::Cmyk ? 4 : 3) + (image.hasAlpha ? 1 : 0);
}

// One file sample to the interface's scale; ink is inverted.
uint32_t ToInterface(uint32_t v, bool ink, int depth) {
    if (depth == 8) return ink ? 255 - v : v;
    const uint32_t s = FileToInterface16(uint16_t(v));
    return ink ? kInterfaceMax16 - s : s;
}

uint32_t ToFile(uint32_t v, bool ink, int depth) {
    if (depth == 8) return ink ? 255 - v : v;
    const uint32_t s = v > kInterfaceMax16 ? kInterfaceMax16 : v;
    return InterfaceToFile16(uint16_t(ink ? kInterfaceMax16 - s : s));
}

uint32_t Luma(uint32_t r, uint32_t g, uint32_t b) { return (299 * r + 587 * g + 114 * b + 500) / 1000; }

// RGB and RGBA at 8 bits are stored exactly as the interface holds them.
bool SameBytesAsInterface(const Image& image) {
    return image.model == ColorModel::Rgb && image.depth == 8 && image.samples8.size() == SampleCount(image);
}

}  // namespace

InterfaceImage TakeInterfaceImage(Image& image) {
    if (!SameBytesAsInterface(image)) {
        InterfaceImage out = ToInterfaceImage(image);
        image.samples8 = {};
        image.samples16 = {};
        return out;
    }
    InterfaceImage out;
    out.width = int32_t(image.width);
    out.height = int32_t(image.height);
    out.depth = 8;
    out.planes = int16_t(InterfacePlanes(image));
    out.mode = plugInModeRGBColor;
    out.pixels = std::move(image.samples8);
    image.samples8 = {};
    return out;
}

InterfaceImage ToInterfaceImage(const Image& image) {
    InterfaceImage out;
    out.width = int32_t(image.width);
    out.height = int32_t(image.height);
    out.depth = int16_t(image.depth);
    out.planes = int16_t(InterfacePlanes(image));
    out.mode = InterfaceMode(image);
    out.pixels.assign(out.rowBytes() * image.height, 0);

    const size_t pixels = size_t(image.width) * image.height;
    const int fileSpp = SamplesPerPixel(image);
    const int colors = ColorChannels(image.model);
    const int bytes = out.bytesPerSample();
    const bool ink = image.model == ColorModel::Cmyk;
    for (size_t i = 0; i < pixels; ++i) {
        uint8_t* dest = out.pixels.data() + i * out.planes * bytes;
        for (int p = 0; p < out.planes; ++p) {
            const bool alpha = image.hasAlpha && p == out.planes - 1;
            // Gray feeds all three colour planes.
            const int source = alpha ? fileSpp - 1 : (colors == 1 ? 0 : p);
            const size_t at = i * fileSpp + source;
            const bool inverted = ink && !alpha;
            if (image.depth == 16) {
                Store16(dest + 2 * p, uint16_t(ToInterface(image.samples16[at], inverted, 16)));
            } else {
                dest[p] = uint8_t(ToInterface(image.samples8[at], inverted, 8));
            }
        }
    }
    return out;
}

std::string FromInterfaceImage(const InterfaceImage& pixels, Image& image) {
    if (pixels.width != int32_t(image.width) || pixels.height != int32_t(image.height) ||
        pixels.depth != image.depth || pixels.planes != InterfacePlanes(image) ||
        pixels.pixels.size() != pixels.rowBytes() * image.height) {
        return "the filtered pixels do not match the image's size, depth or planes";
    }
    if (image.model == ColorModel::Rgb && image.depth == 8) {
        image.samples16.clear();
        image.samples8.assign(pixels.pixels.begin(), pixels.pixels.end());
        return {};
    }
    // The image may have been kept without its samples: only its shape and
    // file details matter here.
    if ((image.depth == 16 ? image.samples16.size() : image.samples8.size()) != SampleCount(image)) {
        AllocateSamples(image);
    }
    const size_t count = size_t(image.width) * image.height;
    const int fileSpp = SamplesPerPixel(image);
    const int colors = ColorChannels(image.model);
    const int bytes = pixels.bytesPerSample();
    const bool ink = image.model == ColorModel::Cmyk;
    const int depth = image.depth;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* src = pixels.pixels.data() + i * pixels.planes * bytes;
        auto sample = [&](int p) -> uint32_t { return depth == 16 ? Load16(src + 2 * p) : src[p]; };
        auto store = [&](int s, uint32_t v) {
            if (depth == 16) {
                image.samples16[i * fileSpp + s] = uint16_t(v);
            } else {
                image.samples8[i * fileSpp + s] = uint8_t(v);
            }
        };
        if (colors == 1) {
            store(0, ToFile(Luma(sample(0), sample(1), sample(2)), false, depth));
        } else {
            for (int c = 0; c < colors; ++c) store(c, ToFile(sample(c), ink, depth));
        }
        if (image.hasAlpha) store(fileSpp - 1, ToFile(sample(pixels.planes - 1), false, depth));
    }
    return {};
}
