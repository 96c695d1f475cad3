// PNG through libpng. libpng reports errors by longjmp, so each function
// that calls setjmp keeps only plain locals alive across the libpng calls;
// every C++ object is built before or after, in its caller.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/image/Codecs.h"
#include "cli/image/ImageLimits.h"
#include "cli/image/PngDeflate.h"
#include "host/RenderThreads.h"

namespace {

struct PngErrorState {
    char message[256];
};

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* state = static_cast<PngErrorState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings concern ancillary details libpng has already repaired or dropped.
void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->pos) png_error(png, "the file is truncated");
    std::memcpy(out, source->data + source->pos, count);
    source->pos += count;
}

bool HostIsLittleEndian() {
    const uint16_t one = 1;
    uint8_t first;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

struct PngHeader {
    png_uint_32 width, height;
    int fileBitDepth, colorType, interlace;
    int channels, bitDepth;  // after the expansions
};

int FileChannels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return 1;  // gray, palette
    }
}

// Reads the header and sets up the expansions to 8 or 16-bit gray, gray +
// alpha, RGB or RGBA with native byte order.
bool ReadPngHeader(png_structp png, png_infop info, PngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    png_get_IHDR(png, info, &header->width, &header->height, &header->fileBitDepth, &header->colorType,
                 &header->interlace, nullptr, nullptr);
    if (header->colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (header->colorType == PNG_COLOR_TYPE_GRAY && header->fileBitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (header->fileBitDepth == 16 && HostIsLittleEndian()) png_set_swap(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->channels = png_get_channels(png, info);
    header->bitDepth = png_get_bit_depth(png, info);
    return true;
}

bool ReadPngRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

void KeepPngChunks(png_structp png, png_infop info, Image& image) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &length) && profile && length > 0) {
        image.iccProfile.assign(profile, profile + length);
    }
    int intent = 0;
    if (png_get_sRGB(png, info, &intent)) image.png.srgbIntent = intent;
    png_fixed_point gamma = 0;
    if (png_get_gAMA_fixed(png, info, &gamma)) {
        image.png.hasGamma = true;
        image.png.gamma = gamma;
    }
    png_fixed_point* c = image.png.chromaticities;
    if (png_get_cHRM_fixed(png, info, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7])) {
        image.png.hasChromaticities = true;
    }
    png_uint_32 x = 0, y = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &x, &y, &unit)) {
        image.resolution.present = true;
        const bool metre = unit == PNG_RESOLUTION_METER;
        image.resolution.unit = metre ? ResolutionUnit::Centimetre : ResolutionUnit::None;
        image.resolution.x = metre ? x / 100.0 : x;
        image.resolution.y = metre ? y / 100.0 : y;
    }
}

std::string DecodePng(png_structp png, png_infop info, const uint8_t* data, size_t size, Image& image,
                      PngErrorState& errors) {
    PngSource source{data, size, 0};
    png_set_read_fn(png, &source, ReadFromMemory);
    png_set_benign_errors(png, 1);
    png_set_option(png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
    PngHeader header{};
    if (!ReadPngHeader(png, info, &header)) return std::string("not a valid PNG file (") + errors.message + ")";

    std::string reason = CheckImageSize(header.width, header.height);
    if (!reason.empty()) return reason;
    const uint64_t rowBytes = (uint64_t(header.width) * FileChannels(header.colorType) * header.fileBitDepth + 7) / 8;
    reason = CheckDataCanFill(uint64_t(header.height) * (rowBytes + 1), size, 1032);
    if (!reason.empty()) return reason;

    image.width = header.width;
    image.height = header.height;
    image.depth = header.bitDepth;
    image.model = header.channels >= 3 ? ColorModel::Rgb : ColorModel::Gray;
    image.hasAlpha = header.channels == 2 || header.channels == 4;
    image.png.interlaced = header.interlace != PNG_INTERLACE_NONE;
    image.png.fromPalette = header.colorType == PNG_COLOR_TYPE_PALETTE;
    image.png.fromLowBitGray = header.colorType == PNG_COLOR_TYPE_GRAY && header.fileBitDepth < 8;
    AllocateSamples(image);

    const size_t stride = size_t(image.width) * SamplesPerPixel(image);
    std::vector<png_bytep> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) {
        rows[y] = image.depth == 16 ? reinterpret_cast<png_bytep>(image.samples16.data() + y * stride)
                                    : image.samples8.data() + y * stride;
    }
    if (!ReadPngRows(png, rows.data())) return std::string("the PNG data is truncated or corrupt (") + errors.message + ")";
    KeepPngChunks(png, info, image);
    return {};
}

int PngColorType(const Image& image) {
    if (image.model == ColorModel::Gray) return image.hasAlpha ? PNG_COLOR_TYPE_GRAY_ALPHA : PNG_COLOR_TYPE_GRAY;
    return image.hasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
}

png_uint_32 PixelsPerMetre(double perUnit, ResolutionUnit unit) {
    const double value = unit == ResolutionUnit::Inch         ? perUnit / 0.0254
                         : unit == ResolutionUnit::Centimetre ? perUnit * 100.0
                                                              : perUnit;
    if (!(value > 0)) return 0;
    return value >= 2147483647.0 ? 2147483647u : png_uint_32(std::lround(value));
}

constexpr int kPngLevel = 3;
constexpr size_t kIdatChunkBytes = size_t(1) << 20;

// idat: the image data already deflated (null: libpng deflates the rows).
bool EncodePng(png_structp png, png_infop info, FILE* file, const Image& image, png_bytepp rows,
               const std::vector<uint8_t>* idat) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_benign_errors(png, 1);  // an unsuitable profile is dropped, not fatal
    png_set_IHDR(png, info, image.width, image.height, image.depth, PngColorType(image),
                 image.png.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!image.iccProfile.empty()) {
        png_set_iCCP(png, info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, image.iccProfile.data(),
                     png_uint_32(image.iccProfile.size()));
    } else if (image.png.srgbIntent >= 0) {
        png_set_sRGB(png, info, image.png.srgbIntent);
    }
    if (image.png.hasGamma) png_set_gAMA_fixed(png, info, image.png.gamma);
    if (image.png.hasChromaticities) {
        const png_fixed_point* c = image.png.chromaticities;
        png_set_cHRM_fixed(png, info, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
    }
    if (image.resolution.present) {
        const ResolutionUnit unit = image.resolution.unit;
        png_set_pHYs(png, info, PixelsPerMetre(image.resolution.x, unit), PixelsPerMetre(image.resolution.y, unit),
                     unit == ResolutionUnit::None ? PNG_RESOLUTION_UNKNOWN : PNG_RESOLUTION_METER);
    }
    // Engravings are strokes on paper: runs of equal pixels that deflate
    // finds without a row filter. Trying every filter per row and zlib's
    // default level took three times as long for a file a seventh smaller.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kPngLevel);
    png_write_info(png, info);
    if (idat && !image.png.interlaced) {
        // The image data deflated in pieces on threads, written as IDAT
        // chunks; nothing follows the image data but IEND.
        for (size_t at = 0; at < idat->size(); at += kIdatChunkBytes) {
            const size_t length = std::min(kIdatChunkBytes, idat->size() - at);
            png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), idat->data() + at, length);
        }
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
        png_write_flush(png);
        return true;
    }
    if (image.depth == 16 && HostIsLittleEndian()) png_set_swap(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

}  // namespace

std::string ReadPng(const uint8_t* data, size_t size, Image& image) {
    PngErrorState errors{};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors, OnPngError, OnPngWarning);
    if (!png) return "not enough memory to read the image";
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return "not enough memory to read the image";
    }
    std::string reason;
    try {
        reason = DecodePng(png, info, data, size, image, errors);
    } catch (...) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return reason;
}

std::string WritePng(FILE* file, const Image& image) {
    const size_t stride = size_t(image.width) * SamplesPerPixel(image);
    std::vector<png_bytep> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) {
        // libpng only reads through these pointers.
        rows[y] = image.depth == 16
                      ? reinterpret_cast<png_bytep>(const_cast<uint16_t*>(image.samples16.data() + y * stride))
                      : const_cast<png_bytep>(image.samples8.data() + y * stride);
    }
    PngErrorState errors{};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, OnPngError, OnPngWarning);
    if (!png) return "not enough memory to write the image";
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return "not enough memory to write the image";
    }
    std::vector<uint8_t> idat;
    const bool deflated = !image.png.interlaced && DeflatePngRows(image, kPngLevel, RenderThreadsFromEnvironment(), &idat);
    const bool written = EncodePng(png, info, file, image, rows.data(), deflated ? &idat : nullptr);
    png_destroy_write_struct(&png, &info);
    if (!written) return std::string("cannot write the PNG data (") + errors.message + ")";
    return {};
}
