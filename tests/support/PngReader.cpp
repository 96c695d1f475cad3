#include "tests/support/PngReader.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

namespace {

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes the row filter in place; `previous` is the row above, already undone (or null).
bool Unfilter(uint8_t type, uint8_t* row, const uint8_t* previous, size_t bytes, int bpp) {
    for (size_t i = 0; i < bytes; ++i) {
        const int a = i >= size_t(bpp) ? row[i - bpp] : 0, b = previous ? previous[i] : 0;
        const int c = previous && i >= size_t(bpp) ? previous[i - bpp] : 0;
        switch (type) {
            case 0: break;
            case 1: row[i] = uint8_t(row[i] + a); break;
            case 2: row[i] = uint8_t(row[i] + b); break;
            case 3: row[i] = uint8_t(row[i] + (a + b) / 2); break;
            case 4: row[i] = uint8_t(row[i] + Paeth(a, b, c)); break;
            default: return false;
        }
    }
    return true;
}

}  // namespace

bool ReadTestPng(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> file;
    uint8_t buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) file.insert(file.end(), buffer, buffer + n);
    std::fclose(f);
    if (file.size() < 8 || std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8) != 0) return false;
    int channels = 0;
    std::vector<uint8_t> z;
    for (size_t pos = 8; pos + 12 <= file.size();) {
        const uint32_t len = U32(&file[pos]);
        if (len > file.size() - pos - 12) return false;
        const uint8_t* type = &file[pos + 4];
        const uint8_t* data = &file[pos + 8];
        if (std::memcmp(type, "IHDR", 4) == 0 && len >= 13) {
            *width = int(U32(data));
            *height = int(U32(data + 4));
            if (data[8] != 8 || (data[9] != 2 && data[9] != 6) || data[12] != 0) return false;
            channels = data[9] == 6 ? 4 : 3;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            z.insert(z.end(), data, data + len);
        }
        pos += 12 + len;
    }
    if (!channels || *width <= 0 || *height <= 0 || *width > 65536 || *height > 65536) return false;
    const size_t rowBytes = size_t(*width) * channels;
    std::vector<uint8_t> raw((rowBytes + 1) * size_t(*height));
    uLongf size = uLongf(raw.size());
    if (uncompress(raw.data(), &size, z.data(), uLong(z.size())) != Z_OK || size != raw.size()) return false;
    rgba->assign(size_t(*width) * *height * 4, 255);
    for (int y = 0; y < *height; ++y) {
        uint8_t* row = &raw[y * (rowBytes + 1)];
        if (!Unfilter(row[0], row + 1, y > 0 ? row + 1 - (rowBytes + 1) : nullptr, rowBytes, channels)) return false;
        for (int x = 0; x < *width; ++x)
            for (int c = 0; c < channels; ++c) (*rgba)[(size_t(y) * *width + x) * 4 + c] = row[1 + x * channels + c];
    }
    return true;
}
