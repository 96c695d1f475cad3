#include "cli/image/ProfileEmbedding.h"

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

uint32_t Big32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// The profile as the zlib stream iCCP holds; empty when zlib fails.
std::vector<uint8_t> Deflated(const std::vector<uint8_t>& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK) return {};
    out.resize(size);
    return out;
}

}  // namespace

bool EmbedPngProfile(std::vector<uint8_t>& png, const std::vector<uint8_t>& profile) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (profile.empty() || png.size() < 33 || std::memcmp(png.data(), kSignature, 8) != 0 ||
        std::memcmp(png.data() + 12, "IHDR", 4) != 0 || Big32(png.data() + 8) != 13) {
        return false;
    }
    // Walk the chunks: a profile or sRGB chunk already there wins.
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = Big32(png.data() + at);
        const std::string type(reinterpret_cast<const char*>(png.data() + at + 4), 4);
        if (type == "iCCP" || type == "sRGB") return false;
        if (type == "IDAT" || uint64_t(length) + 12 > png.size() - at) break;
        at += size_t(length) + 12;
    }
    std::vector<uint8_t> body = {'i', 'C', 'C', 'P'};
    const char name[] = "ICC profile";
    body.insert(body.end(), name, name + sizeof name);  // with its terminating zero
    body.push_back(0);                                   // deflate
    const std::vector<uint8_t> stream = Deflated(profile);
    if (stream.empty()) return false;
    body.insert(body.end(), stream.begin(), stream.end());
    if (body.size() - 4 > 0x7FFFFFFFu) return false;

    std::vector<uint8_t> chunk;
    PutBig32(chunk, uint32_t(body.size() - 4));
    chunk.insert(chunk.end(), body.begin(), body.end());
    PutBig32(chunk, uint32_t(crc32(0L, body.data(), uInt(body.size()))));
    png.insert(png.begin() + 33, chunk.begin(), chunk.end());  // signature 8 + IHDR 25
    return true;
}

bool EmbedJpegProfile(std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& profile) {
    constexpr size_t kChunk = 65519;  // 65535 - length field - "ICC_PROFILE\0" - sequence, count
    if (profile.empty() || jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return false;
    const size_t count = (profile.size() + kChunk - 1) / kChunk;
    if (count > 255) return false;
    // After SOI and any APP0 (JFIF) / APP1 (Exif) segments.
    size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && (jpeg[at + 1] == 0xE0 || jpeg[at + 1] == 0xE1)) {
        const size_t length = size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
        if (length < 2 || at + 2 + length > jpeg.size()) return false;
        at += 2 + length;
    }
    std::vector<uint8_t> segments;
    for (size_t i = 0; i < count; ++i) {
        const size_t n = std::min(kChunk, profile.size() - i * kChunk);
        const size_t length = 2 + 12 + 2 + n;
        segments.push_back(0xFF);
        segments.push_back(0xE2);
        segments.push_back(uint8_t(length >> 8));
        segments.push_back(uint8_t(length));
        const char tag[] = "ICC_PROFILE";
        segments.insert(segments.end(), tag, tag + sizeof tag);
        segments.push_back(uint8_t(i + 1));
        segments.push_back(uint8_t(count));
        segments.insert(segments.end(), profile.begin() + std::ptrdiff_t(i * kChunk),
                        profile.begin() + std::ptrdiff_t(i * kChunk + n));
    }
    jpeg.insert(jpeg.begin() + std::ptrdiff_t(at), segments.begin(), segments.end());
    return true;
}

std::vector<uint8_t> FindJpegProfile(const uint8_t* jpeg, size_t size) {
    if (size < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return {};
    std::vector<std::vector<uint8_t>> parts;
    size_t at = 2;
    while (at + 4 <= size && jpeg[at] == 0xFF) {
        const uint8_t marker = jpeg[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) break;  // the image data begins, or ends
        const size_t length = size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
        if (length < 2 || at + 2 + length > size) break;
        const uint8_t* body = jpeg + at + 4;
        const size_t bodySize = length - 2;
        if (marker == 0xE2 && bodySize > 14 && std::memcmp(body, "ICC_PROFILE", 12) == 0) {
            const size_t sequence = body[12], count = body[13];
            if (count == 0 || sequence == 0 || sequence > count || (!parts.empty() && parts.size() != count)) return {};
            parts.resize(count);
            if (!parts[sequence - 1].empty()) return {};
            parts[sequence - 1].assign(body + 14, body + bodySize);
        }
        at += 2 + length;
    }
    std::vector<uint8_t> profile;
    for (const std::vector<uint8_t>& part : parts) {
        if (part.empty()) return {};
        profile.insert(profile.end(), part.begin(), part.end());
    }
    return profile;
}
