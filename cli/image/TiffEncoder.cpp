#include "cli/image/TiffEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "cli/image/ImageLimits.h"

namespace {

enum : uint16_t { kShort = 3, kLong = 4, kRational = 5, kUndefined = 7 };

struct Entry {
    uint16_t tag, type;
    uint32_t count;
    std::vector<uint8_t> value;  // little-endian bytes of all `count` values
};

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void Patch32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

Entry Shorts(uint16_t tag, const std::vector<uint16_t>& values) {
    Entry e{tag, kShort, uint32_t(values.size()), {}};
    for (uint16_t v : values) Put16(e.value, v);
    return e;
}

Entry Longs(uint16_t tag, const std::vector<uint32_t>& values) {
    Entry e{tag, kLong, uint32_t(values.size()), {}};
    for (uint32_t v : values) Put32(e.value, v);
    return e;
}

// Pixels per unit as a fraction with a fixed denominator: exact for whole
// and most decimal resolutions.
Entry Rational(uint16_t tag, double value) {
    const uint32_t denominator = 10000;
    const double scaled = std::min(std::max(value, 0.0) * denominator, 4294967295.0);
    Entry e{tag, kRational, 1, {}};
    Put32(e.value, uint32_t(std::lround(scaled)));
    Put32(e.value, denominator);
    return e;
}

}  // namespace

std::string EncodeTiff(const Image& image, const std::function<bool(const void* data, size_t size)>& write) {
    if (image.model == ColorModel::Gray) return "the TIFF writer takes RGB or CMYK images";
    if (image.depth != 8 && image.depth != 16) return "the image depth must be 8 or 16 bits";
    const std::string size = CheckImageSize(image.width, image.height);
    if (!size.empty()) return size;
    const int spp = SamplesPerPixel(image);
    const size_t bytesPerSample = image.depth == 16 ? 2 : 1;
    if ((image.depth == 16 ? image.samples16.size() : image.samples8.size()) != SampleCount(image))
        return "the image holds the wrong number of samples";

    const uint64_t rowBytes = uint64_t(image.width) * spp * bytesPerSample;
    const uint32_t rowsPerStrip = uint32_t(std::max<uint64_t>(1, std::min<uint64_t>(image.height, 65536 / rowBytes)));
    const uint32_t strips = (image.height + rowsPerStrip - 1) / rowsPerStrip;
    const uint64_t dataBytes = rowBytes * image.height;

    std::vector<Entry> entries;
    entries.push_back(Longs(256, {image.width}));
    entries.push_back(Longs(257, {image.height}));
    entries.push_back(Shorts(258, std::vector<uint16_t>(size_t(spp), uint16_t(image.depth))));
    entries.push_back(Shorts(259, {1}));
    entries.push_back(Shorts(262, {uint16_t(image.model == ColorModel::Cmyk ? 5 : 2)}));
    entries.push_back(Longs(273, std::vector<uint32_t>(strips, 0)));  // patched below
    entries.push_back(Shorts(277, {uint16_t(spp)}));
    entries.push_back(Longs(278, {rowsPerStrip}));
    std::vector<uint32_t> counts(strips, uint32_t(rowBytes * rowsPerStrip));
    counts.back() = uint32_t(rowBytes * (image.height - uint64_t(rowsPerStrip) * (strips - 1)));
    entries.push_back(Longs(279, counts));
    const bool resolution = image.resolution.present && image.resolution.x > 0 && image.resolution.y > 0;
    if (resolution) {
        entries.push_back(Rational(282, image.resolution.x));
        entries.push_back(Rational(283, image.resolution.y));
    }
    entries.push_back(Shorts(284, {1}));
    if (resolution) {
        const uint16_t unit = image.resolution.unit == ResolutionUnit::Inch        ? 2
                              : image.resolution.unit == ResolutionUnit::Centimetre ? 3
                                                                                    : 1;
        entries.push_back(Shorts(296, {unit}));
    }
    if (image.model == ColorModel::Cmyk) entries.push_back(Shorts(332, {1}));
    if (image.hasAlpha) entries.push_back(Shorts(338, {2}));
    if (!image.iccProfile.empty()) {
        entries.push_back(Entry{34675, kUndefined, uint32_t(image.iccProfile.size()), image.iccProfile});
    }

    // Header, the directory, then the values too long to sit in an entry.
    const size_t directoryBytes = 2 + entries.size() * 12 + 4;
    size_t extraAt = 8 + directoryBytes;
    std::vector<uint8_t> head = {'I', 'I', 42, 0};
    Put32(head, 8);
    Put16(head, uint16_t(entries.size()));
    std::vector<uint8_t> extra;
    size_t stripOffsetsAt = 0;
    bool stripOffsetsInline = false;
    for (const Entry& e : entries) {
        Put16(head, e.tag);
        Put16(head, e.type);
        Put32(head, e.count);
        if (e.value.size() <= 4) {
            if (e.tag == 273) {
                stripOffsetsAt = head.size();
                stripOffsetsInline = true;
            }
            std::vector<uint8_t> padded = e.value;
            padded.resize(4, 0);
            head.insert(head.end(), padded.begin(), padded.end());
        } else {
            if (e.tag == 273) stripOffsetsAt = extraAt + extra.size();
            Put32(head, uint32_t(extraAt + extra.size()));
            extra.insert(extra.end(), e.value.begin(), e.value.end());
            if (extra.size() % 2) extra.push_back(0);  // values start on word boundaries
        }
    }
    Put32(head, 0);  // no next directory
    head.insert(head.end(), extra.begin(), extra.end());
    if (head.size() + dataBytes > 0xFFFFFFF0ull) return "the image is too large for a TIFF file (4 GiB)";

    const uint32_t dataAt = uint32_t(head.size());
    for (uint32_t s = 0; s < strips; ++s) {
        const uint32_t offset = uint32_t(dataAt + uint64_t(s) * rowsPerStrip * rowBytes);
        Patch32(head, stripOffsetsInline ? stripOffsetsAt : stripOffsetsAt + 4 * size_t(s), offset);
    }
    if (!write(head.data(), head.size())) return "cannot write the file";

    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    const size_t rowSamples = size_t(image.width) * spp;
    for (uint32_t y = 0; y < image.height; ++y) {
        if (image.depth == 16) {
            const uint16_t* source = image.samples16.data() + size_t(y) * rowSamples;
            for (size_t i = 0; i < rowSamples; ++i) {
                row[2 * i] = uint8_t(source[i]);
                row[2 * i + 1] = uint8_t(source[i] >> 8);
            }
            if (!write(row.data(), row.size())) return "cannot write the file";
        } else if (!write(image.samples8.data() + size_t(y) * rowSamples, rowSamples)) {
            return "cannot write the file";
        }
    }
    return {};
}
