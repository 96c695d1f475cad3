#include "tests/support/PngWriter.h"

#include <zlib.h>

#include <cstdio>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutU32(out, uint32_t(data.size()));
    const size_t body = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, uint32_t(crc32(0L, out.data() + body, uInt(out.size() - body))));
}

std::vector<uint8_t> EncodePng(const uint8_t* pixels, int width, int height, int channels) {
    // Scanlines, each led by filter type 0.
    std::vector<uint8_t> raw;
    const size_t rowBytes = size_t(width) * channels;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
    }
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> z(size);
    if (compress2(z.data(), &size, raw.data(), uLong(raw.size()), Z_BEST_SPEED) != Z_OK) return {};
    z.resize(size);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutU32(header, uint32_t(width));
    PutU32(header, uint32_t(height));
    header.push_back(8);                      // bit depth
    header.push_back(channels == 4 ? 6 : 2);  // colour type: RGBA or RGB
    header.insert(header.end(), {0, 0, 0});   // deflate, adaptive filters, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace

bool WritePng(const std::string& path, const uint8_t* pixels, int width, int height, int channels) {
    const std::vector<uint8_t> png = EncodePng(pixels, width, height, channels);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = !png.empty() && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}
