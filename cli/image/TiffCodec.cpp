// TIFF through libtiff: 8 and 16-bit gray, RGB and CMYK (ink set CMYK), each
// with at most one extra sample taken as transparency; strips or tiles,
// contiguous or separate planes. Written back as strips.
//
// Transparency: unassociated and unspecified extra samples are kept as
// they are. Associated (premultiplied) colour is divided by the alpha on
// reading, because the filter works on straight colour, and multiplied again
// on writing; where alpha is small that costs precision, as it must.
#include <tiffio.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "cli/image/Codecs.h"
#include "cli/image/ImageLimits.h"

namespace {

struct TiffMessages {
    char error[256];
};

int OnTiffError(TIFF*, void* user, const char* module, const char* format, va_list args) {
    auto* messages = static_cast<TiffMessages*>(user);
    if (messages->error[0] == '\0') {
        char text[200];
        std::vsnprintf(text, sizeof text, format, args);
        std::snprintf(messages->error, sizeof messages->error, "%s%s%s", module ? module : "", module ? ": " : "",
                      text);
    }
    return 1;  // handled: nothing reaches standard error
}

// Warnings are about tags libtiff skipped or repaired; the samples are fine.
int OnTiffWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// Codecs that still report through the process-wide handlers stay quiet too.
void SilenceGlobalTiffHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

TIFFOpenOptions* MakeOptions(TiffMessages* messages) {
    SilenceGlobalTiffHandlers();
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnTiffError, messages);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnTiffWarning, messages);
    return options;
}

std::string WithLibraryMessage(const char* what, const TiffMessages& messages) {
    std::string text = what;
    if (messages.error[0]) text += std::string(" (") + messages.error + ")";
    return text;
}

// ---- reading from memory ----

struct MemoryFile {
    const uint8_t* data;
    uint64_t size;
    uint64_t pos;
};

tmsize_t MemoryRead(thandle_t handle, void* buffer, tmsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (count <= 0 || file->pos >= file->size) return 0;
    const uint64_t n = std::min<uint64_t>(uint64_t(count), file->size - file->pos);
    std::memcpy(buffer, file->data + file->pos, size_t(n));
    file->pos += n;
    return tmsize_t(n);
}

tmsize_t MemoryWrite(thandle_t, void*, tmsize_t) { return -1; }

toff_t MemorySeek(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    uint64_t base = whence == SEEK_CUR ? file->pos : whence == SEEK_END ? file->size : 0;
    if (offset > UINT64_MAX - base) return toff_t(-1);
    file->pos = base + offset;  // beyond the end reads nothing, as with a file
    return file->pos;
}

int MemoryClose(thandle_t) { return 0; }
toff_t MemorySize(thandle_t handle) { return static_cast<MemoryFile*>(handle)->size; }
int MemoryMap(thandle_t, void**, toff_t*) { return 0; }
void MemoryUnmap(thandle_t, void*, toff_t) {}

// libtiff drops a tag whose data lies past the end of the file with only a
// warning; for us that is a truncated file. Checks the first directory's
// entries (classic and BigTIFF, either byte order).
bool FirstDirectoryWithinFile(const uint8_t* data, uint64_t size) {
    const bool little = data[0] == 'I';
    auto read = [&](uint64_t at, int bytes) {
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint64_t(data[at + i]) << (8 * (little ? i : bytes - 1 - i));
        return v;
    };
    const bool big = read(2, 2) == 43;
    const int offsetBytes = big ? 8 : 4;
    if (size < (big ? 16u : 8u)) return false;
    const uint64_t directory = read(big ? 8 : 4, offsetBytes);
    const int countBytes = big ? 8 : 2, entryBytes = big ? 20 : 12;
    if (directory > size || size - directory < uint64_t(countBytes)) return false;
    const uint64_t entries = read(directory, countBytes);
    if (entries > (size - directory - countBytes) / entryBytes) return false;
    for (uint64_t e = 0; e < entries; ++e) {
        const uint64_t at = directory + countBytes + e * entryBytes;
        static const uint8_t kTypeBytes[19] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4, 0, 0, 8, 8, 8};
        const uint64_t type = read(at + 2, 2);
        const uint64_t count = read(at + 4, offsetBytes);
        if (type >= 19 || kTypeBytes[type] == 0) continue;  // unknown types are skipped by libtiff too
        if (count > size) return false;
        const uint64_t bytes = count * kTypeBytes[type];
        if (bytes <= uint64_t(offsetBytes)) continue;  // stored in the entry itself
        const uint64_t offset = read(at + 4 + offsetBytes, offsetBytes);
        if (offset > size || bytes > size - offset) return false;
    }
    return true;
}

const char* PhotometricName(uint16_t photometric) {
    switch (photometric) {
        case PHOTOMETRIC_PALETTE: return "palette colour";
        case PHOTOMETRIC_MASK: return "transparency mask";
        case PHOTOMETRIC_YCBCR: return "YCbCr";
        case PHOTOMETRIC_CIELAB:
        case PHOTOMETRIC_ICCLAB:
        case PHOTOMETRIC_ITULAB: return "Lab";
        case PHOTOMETRIC_LOGL:
        case PHOTOMETRIC_LOGLUV: return "LogLuv";
        default: return "an unknown colour interpretation";
    }
}

// Largest expansion of each compression over its encoded bytes. The others
// (JPEG, CCITT, LZMA, ZSTD...) get a bound no photograph comes near, so that
// a few hundred bytes cannot announce gigabytes of samples.
uint64_t MaxExpansion(uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE: return 1;
        case COMPRESSION_PACKBITS: return 64;
        case COMPRESSION_ADOBE_DEFLATE:
        case COMPRESSION_DEFLATE: return 1032;
        case COMPRESSION_LZW: return 4096;
        default: return 65536;
    }
}

struct TiffLayout {
    uint32_t width, height;
    uint16_t samplesPerPixel, bitsPerSample;
    bool separate, tiled;
};

std::string CheckTiffFormat(TIFF* tif, Image& image, TiffLayout& layout) {
    uint32_t width = 0, height = 0;
    uint16_t spp = 1, bps = 1, planar = PLANARCONFIG_CONTIG, sampleFormat = SAMPLEFORMAT_UINT;
    uint16_t photometric = 0, inkSet = INKSET_CMYK;
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height)) {
        return "the TIFF has no image size";
    }
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric)) return "the TIFF does not say how its colours are stored";

    int colors = 0;
    switch (photometric) {
        case PHOTOMETRIC_MINISBLACK:
        case PHOTOMETRIC_MINISWHITE:
            image.model = ColorModel::Gray;
            image.tiff.minIsWhite = photometric == PHOTOMETRIC_MINISWHITE;
            colors = 1;
            break;
        case PHOTOMETRIC_RGB:
            image.model = ColorModel::Rgb;
            colors = 3;
            break;
        case PHOTOMETRIC_SEPARATED:
            TIFFGetFieldDefaulted(tif, TIFFTAG_INKSET, &inkSet);
            if (inkSet != INKSET_CMYK) return "unsupported TIFF: separated inks other than CMYK";
            image.model = ColorModel::Cmyk;
            colors = 4;
            break;
        default:
            return std::string("unsupported TIFF mode: ") + PhotometricName(photometric) +
                   " (only gray, RGB and CMYK are read)";
    }
    if (bps != 8 && bps != 16) {
        return "unsupported TIFF sample size: " + std::to_string(bps) + " bits (only 8 and 16 are read)";
    }
    if (sampleFormat != SAMPLEFORMAT_UINT) return "unsupported TIFF samples: only unsigned integers are read";
    if (spp < colors) return "the TIFF has fewer samples per pixel than its colour mode needs";
    if (spp > colors + 1) return "unsupported TIFF: more than one extra channel besides the colours";
    if (planar != PLANARCONFIG_CONTIG && planar != PLANARCONFIG_SEPARATE) return "the TIFF has an unknown plane layout";

    image.hasAlpha = spp == colors + 1;
    if (image.hasAlpha) {
        uint16_t count = 0;
        uint16_t* kinds = nullptr;
        image.tiff.alphaKind = EXTRASAMPLE_UNSPECIFIED;
        if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds) && count >= 1 && kinds) {
            image.tiff.alphaKind = kinds[0] <= EXTRASAMPLE_UNASSALPHA ? kinds[0] : EXTRASAMPLE_UNSPECIFIED;
        }
    }
    image.width = width;
    image.height = height;
    image.depth = bps;
    image.tiff.planarConfig = planar;
    image.tiff.tiled = TIFFIsTiled(tif) != 0;
    layout = TiffLayout{width, height, spp, bps, planar == PLANARCONFIG_SEPARATE, image.tiff.tiled};
    return {};
}

void KeepTiffTags(TIFF* tif, Image& image) {
    uint16_t compression = COMPRESSION_NONE, predictor = PREDICTOR_NONE, orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tif, TIFFTAG_PREDICTOR, &predictor);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    image.tiff.compression = compression;
    image.tiff.predictor = predictor;
    image.tiff.orientation = orientation;
    uint32_t length = 0;
    void* profile = nullptr;
    if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &length, &profile) && profile && length > 0) {
        const auto* bytes = static_cast<const uint8_t*>(profile);
        image.iccProfile.assign(bytes, bytes + length);
    }
    float x = 0, y = 0;
    uint16_t unit = RESUNIT_INCH;
    if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x) && TIFFGetField(tif, TIFFTAG_YRESOLUTION, &y) && x > 0 && y > 0) {
        TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
        image.resolution.present = true;
        image.resolution.x = x;
        image.resolution.y = y;
        image.resolution.unit = unit == RESUNIT_CENTIMETER ? ResolutionUnit::Centimetre
                                : unit == RESUNIT_INCH     ? ResolutionUnit::Inch
                                                           : ResolutionUnit::None;
    }
}

uint8_t* SampleBytes(Image& image) {
    return image.depth == 16 ? reinterpret_cast<uint8_t*>(image.samples16.data()) : image.samples8.data();
}

// Copies a decoded block (a strip or a tile, `blockWidth` pixels a row) to
// (x0, y0), clipped to the image; `plane` < 0 means all samples interleaved.
void PlaceBlock(const uint8_t* block, uint32_t blockWidth, uint32_t blockRows, uint32_t x0, uint32_t y0, int plane,
                const TiffLayout& layout, Image& image) {
    const size_t sampleBytes = layout.bitsPerSample / 8;
    const size_t pixelBytes = sampleBytes * layout.samplesPerPixel;
    const uint32_t columns = std::min(blockWidth, layout.width - x0);
    const uint32_t rows = std::min(blockRows, layout.height - y0);
    uint8_t* base = SampleBytes(image);
    for (uint32_t r = 0; r < rows; ++r) {
        uint8_t* dest = base + ((size_t(y0) + r) * layout.width + x0) * pixelBytes;
        if (plane < 0) {
            std::memcpy(dest, block + size_t(r) * blockWidth * pixelBytes, columns * pixelBytes);
            continue;
        }
        const uint8_t* src = block + size_t(r) * blockWidth * sampleBytes;
        dest += plane * sampleBytes;
        for (uint32_t c = 0; c < columns; ++c) std::memcpy(dest + c * pixelBytes, src + c * sampleBytes, sampleBytes);
    }
}

std::string ReadTiles(TIFF* tif, const TiffLayout& layout, Image& image, const TiffMessages& messages) {
    uint32_t tileWidth = 0, tileHeight = 0;
    TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileHeight);
    const uint64_t area = uint64_t(tileWidth) * tileHeight;
    if (tileWidth == 0 || tileHeight == 0 || area > uint64_t(layout.width) * layout.height * 4 + (1u << 20)) {
        return "the TIFF's tile size is not plausible";
    }
    const int planes = layout.separate ? layout.samplesPerPixel : 1;
    const uint64_t tileBytes = area * (layout.bitsPerSample / 8) * (layout.separate ? 1 : layout.samplesPerPixel);
    if (uint64_t(TIFFTileSize64(tif)) != tileBytes) return "the TIFF's tile size is not plausible";
    std::vector<uint8_t> tile(tileBytes);
    for (uint32_t y = 0; y < layout.height; y += tileHeight) {
        for (uint32_t x = 0; x < layout.width; x += tileWidth) {
            for (int p = 0; p < planes; ++p) {
                const uint32_t index = TIFFComputeTile(tif, x, y, 0, uint16_t(p));
                if (TIFFReadEncodedTile(tif, index, tile.data(), tmsize_t(tileBytes)) != tmsize_t(tileBytes)) {
                    return WithLibraryMessage("the TIFF data is truncated or corrupt", messages);
                }
                PlaceBlock(tile.data(), tileWidth, tileHeight, x, y, layout.separate ? p : -1, layout, image);
            }
        }
    }
    return {};
}

std::string ReadStrips(TIFF* tif, const TiffLayout& layout, Image& image, const TiffMessages& messages) {
    uint32_t rowsPerStrip = layout.height;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    if (rowsPerStrip == 0 || rowsPerStrip > layout.height) rowsPerStrip = layout.height;
    const uint32_t bands = (layout.height + rowsPerStrip - 1) / rowsPerStrip;
    const int planes = layout.separate ? layout.samplesPerPixel : 1;
    if (uint64_t(TIFFNumberOfStrips(tif)) < uint64_t(bands) * planes) return "the TIFF lacks some of its strips";

    const size_t sampleBytes = layout.bitsPerSample / 8;
    const size_t rowBytes = size_t(layout.width) * sampleBytes * (layout.separate ? 1 : layout.samplesPerPixel);
    std::vector<uint8_t> strip;
    if (layout.separate) strip.resize(rowBytes * rowsPerStrip);
    for (uint32_t band = 0; band < bands; ++band) {
        const uint32_t y = band * rowsPerStrip;
        const uint32_t rows = std::min(rowsPerStrip, layout.height - y);
        const tmsize_t want = tmsize_t(rowBytes * rows);
        for (int p = 0; p < planes; ++p) {
            // Contiguous strips already have the memory layout: decode in place.
            uint8_t* target = layout.separate ? strip.data() : SampleBytes(image) + size_t(y) * rowBytes;
            if (TIFFReadEncodedStrip(tif, uint32_t(p) * bands + band, target, want) != want) {
                return WithLibraryMessage("the TIFF data is truncated or corrupt", messages);
            }
            if (layout.separate) PlaceBlock(strip.data(), layout.width, rows, 0, y, p, layout, image);
        }
    }
    return {};
}

template <typename Sample>
void StraightenAlpha(Sample* samples, size_t pixels, int spp, uint32_t full) {
    for (size_t i = 0; i < pixels; ++i, samples += spp) {
        const uint32_t a = samples[spp - 1];
        for (int c = 0; c < spp - 1; ++c) {
            samples[c] = Sample(a == 0 ? 0 : std::min<uint32_t>(full, (samples[c] * full + a / 2) / a));
        }
    }
}

template <typename Sample>
void InvertGray(Sample* samples, size_t pixels, int spp, uint32_t full) {
    for (size_t i = 0; i < pixels; ++i, samples += spp) samples[0] = Sample(full - samples[0]);
}

void ToMemoryConventions(Image& image) {
    const size_t pixels = size_t(image.width) * image.height;
    const int spp = SamplesPerPixel(image);
    const bool associated = image.hasAlpha && image.tiff.alphaKind == EXTRASAMPLE_ASSOCALPHA;
    if (image.depth == 16) {
        if (associated) StraightenAlpha(image.samples16.data(), pixels, spp, 65535);
        if (image.tiff.minIsWhite) InvertGray(image.samples16.data(), pixels, spp, 65535);
    } else {
        if (associated) StraightenAlpha(image.samples8.data(), pixels, spp, 255);
        if (image.tiff.minIsWhite) InvertGray(image.samples8.data(), pixels, spp, 255);
    }
}

std::string DecodeTiff(TIFF* tif, const uint8_t* data, size_t fileSize, Image& image, const TiffMessages& messages) {
    if (!FirstDirectoryWithinFile(data, fileSize)) return "the TIFF file is truncated or corrupt (a tag lies past its end)";
    TiffLayout layout{};
    std::string reason = CheckTiffFormat(tif, image, layout);
    if (reason.empty()) reason = CheckImageSize(layout.width, layout.height);
    if (!reason.empty()) return reason;
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    // A codec this libtiff lacks delivers no sample: refuse before allocating
    // what the header announces (a few hundred bytes can announce gigabytes).
    if (!TIFFIsCODECConfigured(compression))
        return "the TIFF compression " + std::to_string(compression) + " is not supported";
    const uint64_t bytes = uint64_t(layout.width) * layout.height * layout.samplesPerPixel * layout.bitsPerSample / 8;
    reason = CheckDataCanFill(bytes, fileSize, MaxExpansion(compression));
    if (!reason.empty()) return reason;
    AllocateSamples(image);
    reason = layout.tiled ? ReadTiles(tif, layout, image, messages) : ReadStrips(tif, layout, image, messages);
    if (!reason.empty()) return reason;
    KeepTiffTags(tif, image);
    ToMemoryConventions(image);
    return {};
}

// ---- writing ----

bool CanKeepCompression(uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE:
        case COMPRESSION_LZW:
        case COMPRESSION_ADOBE_DEFLATE:
        case COMPRESSION_DEFLATE:
        case COMPRESSION_PACKBITS:
        case COMPRESSION_ZSTD:
        case COMPRESSION_LZMA: return TIFFIsCODECConfigured(compression) != 0;
        default: return false;  // lossy or exotic: the samples are stored losslessly instead
    }
}

bool TakesPredictor(uint16_t compression) {
    return compression == COMPRESSION_LZW || compression == COMPRESSION_ADOBE_DEFLATE ||
           compression == COMPRESSION_DEFLATE || compression == COMPRESSION_ZSTD || compression == COMPRESSION_LZMA;
}

uint16_t Photometric(const Image& image) {
    switch (image.model) {
        case ColorModel::Gray: return image.tiff.minIsWhite ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
        case ColorModel::Rgb: return PHOTOMETRIC_RGB;
        case ColorModel::Cmyk: return PHOTOMETRIC_SEPARATED;
    }
    return PHOTOMETRIC_RGB;
}

bool SetTiffTags(TIFF* tif, const Image& image) {
    const uint16_t compression = CanKeepCompression(image.tiff.compression) ? image.tiff.compression : COMPRESSION_LZW;
    const bool separate = image.tiff.planarConfig == PLANARCONFIG_SEPARATE;
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, image.width) && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, image.height) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t(SamplesPerPixel(image))) &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(image.depth)) &&
              TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, Photometric(image)) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, separate ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    if (ok && TakesPredictor(compression) && image.tiff.predictor == PREDICTOR_HORIZONTAL) {
        ok = TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    }
    if (ok && image.model == ColorModel::Cmyk) ok = TIFFSetField(tif, TIFFTAG_INKSET, INKSET_CMYK);
    if (ok && image.hasAlpha) {
        const uint16_t kind = image.tiff.alphaKind <= EXTRASAMPLE_UNASSALPHA ? image.tiff.alphaKind : EXTRASAMPLE_UNASSALPHA;
        ok = TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, uint16_t(1), &kind);
    }
    if (ok && image.tiff.orientation >= ORIENTATION_TOPLEFT && image.tiff.orientation <= ORIENTATION_LEFTBOT) {
        ok = TIFFSetField(tif, TIFFTAG_ORIENTATION, image.tiff.orientation);
    }
    if (ok && !image.iccProfile.empty()) {
        ok = TIFFSetField(tif, TIFFTAG_ICCPROFILE, uint32_t(image.iccProfile.size()), image.iccProfile.data());
    }
    if (ok && image.resolution.present) {
        const uint16_t unit = image.resolution.unit == ResolutionUnit::Inch         ? RESUNIT_INCH
                              : image.resolution.unit == ResolutionUnit::Centimetre ? RESUNIT_CENTIMETER
                                                                                    : RESUNIT_NONE;
        ok = TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(image.resolution.x)) &&
             TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(image.resolution.y)) &&
             TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, unit);
    }
    return ok && TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
}

// One row of one plane (or all planes when plane < 0), in the file's
// conventions: gray inverted for min-is-white, colour premultiplied for
// associated alpha. libtiff may scramble the buffer it is given (predictor),
// so every row is a fresh copy.
template <typename Sample>
void FileRow(const Sample* pixels, const Image& image, int plane, uint32_t full, Sample* row) {
    const int spp = SamplesPerPixel(image);
    const bool premultiply = image.hasAlpha && image.tiff.alphaKind == EXTRASAMPLE_ASSOCALPHA;
    const bool invertGray = image.tiff.minIsWhite && image.model == ColorModel::Gray;
    size_t out = 0;
    for (uint32_t x = 0; x < image.width; ++x, pixels += spp) {
        for (int c = 0; c < spp; ++c) {
            if (plane >= 0 && c != plane) continue;
            uint32_t v = pixels[c];
            const bool color = !image.hasAlpha || c < spp - 1;
            if (color && premultiply) v = (v * pixels[spp - 1] + full / 2) / full;
            if (color && invertGray) v = full - v;
            row[out++] = Sample(v);
        }
    }
}

template <typename Sample>
bool WriteRows(TIFF* tif, const Image& image, const Sample* samples, uint32_t full) {
    const int spp = SamplesPerPixel(image);
    const bool separate = image.tiff.planarConfig == PLANARCONFIG_SEPARATE;
    std::vector<Sample> row(size_t(image.width) * spp);
    const size_t stride = size_t(image.width) * spp;
    for (int plane = 0; plane < (separate ? spp : 1); ++plane) {
        for (uint32_t y = 0; y < image.height; ++y) {
            FileRow(samples + y * stride, image, separate ? plane : -1, full, row.data());
            if (TIFFWriteScanline(tif, row.data(), y, uint16_t(separate ? plane : 0)) < 0) return false;
        }
    }
    return true;
}

}  // namespace

std::string ReadTiff(const uint8_t* data, size_t size, Image& image) {
    TiffMessages messages{};
    TIFFOpenOptions* options = MakeOptions(&messages);
    if (!options) return "not enough memory to read the image";
    MemoryFile file{data, size, 0};
    // "m": no mapping, the bytes stay read-only.
    TIFF* tif = TIFFClientOpenExt("image", "rm", &file, MemoryRead, MemoryWrite, MemorySeek, MemoryClose, MemorySize,
                                  MemoryMap, MemoryUnmap, options);
    TIFFOpenOptionsFree(options);
    if (!tif) return WithLibraryMessage("not a valid TIFF file", messages);
    std::string reason;
    try {
        reason = DecodeTiff(tif, data, size, image, messages);
        // libtiff skips what it cannot read (a tag beyond the end, say) and
        // goes on; for us any such error means the file is damaged.
        if (reason.empty() && messages.error[0]) {
            reason = WithLibraryMessage("the TIFF file is truncated or corrupt", messages);
        }
    } catch (...) {
        TIFFClose(tif);
        throw;
    }
    TIFFClose(tif);
    return reason;
}

std::string WriteTiff(int fd, const char* name, const Image& image) {
    TiffMessages messages{};
    TIFFOpenOptions* options = MakeOptions(&messages);
    if (!options) {
        close(fd);
        return "not enough memory to write the image";
    }
    TIFF* tif = TIFFFdOpenExt(fd, name, "w", options);
    TIFFOpenOptionsFree(options);
    if (!tif) {
        close(fd);
        return WithLibraryMessage("cannot write the TIFF", messages);
    }
    bool ok = false;
    try {
        ok = SetTiffTags(tif, image) &&
             (image.depth == 16 ? WriteRows(tif, image, image.samples16.data(), 65535)
                                : WriteRows(tif, image, image.samples8.data(), 255)) &&
             TIFFFlush(tif);
    } catch (const std::bad_alloc&) {
        TIFFClose(tif);
        return "not enough memory to write the image";
    }
    TIFFClose(tif);
    return ok ? std::string() : WithLibraryMessage("cannot write the TIFF data", messages);
}
