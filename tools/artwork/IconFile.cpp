// The .ico container: a directory of images, each a 32-bit device-
// independent bitmap (twice the height: colour, then the 1-bit mask).
#include <cmath>

#include "Artwork.h"

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

unsigned char Byte(float v) { return static_cast<unsigned char>(std::lround(std::fmin(std::fmax(v, 0.0f), 255.0f))); }

std::vector<unsigned char> EncodeImage(const IconImage& image) {
    const int w = image.canvas.width, h = image.canvas.height;
    const int maskRow = ((w + 31) / 32) * 4;
    std::vector<unsigned char> out;
    Put32(out, 40);
    Put32(out, unsigned(w));
    Put32(out, unsigned(2 * h));
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgb& p = image.canvas.pixels[size_t(y) * w + x];
            const float a = image.alpha[size_t(y) * w + x];
            // Colours premultiplied by nothing: Windows blends by the alpha.
            out.insert(out.end(), {Byte(p.b), Byte(p.g), Byte(p.r), Byte(a * 255.0f)});
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<unsigned char> row(size_t(maskRow), 0);
        for (int x = 0; x < w; ++x)
            if (image.alpha[size_t(y) * w + x] <= 0.0f) row[size_t(x) / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<unsigned char> EncodeIco(const std::vector<IconImage>& images) {
    std::vector<std::vector<unsigned char>> encoded;
    for (const IconImage& image : images) encoded.push_back(EncodeImage(image));
    std::vector<unsigned char> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, unsigned(images.size()));
    unsigned offset = 6 + 16 * unsigned(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int w = images[i].canvas.width, h = images[i].canvas.height;
        out.push_back(static_cast<unsigned char>(w >= 256 ? 0 : w));
        out.push_back(static_cast<unsigned char>(h >= 256 ? 0 : h));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, unsigned(encoded[i].size()));
        Put32(out, offset);
        offset += unsigned(encoded[i].size());
    }
    for (const auto& bytes : encoded) out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}
