#include "tests/cli/LibraryWriters.h"

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <cstring>

namespace {

void WritePng(const std::string& path, uint32_t width, uint32_t height, int bitDepth, int colorType,
              const std::vector<uint8_t>& rows, size_t rowBytes, const png_color* palette, int paletteSize,
              const uint8_t* alphas, int alphaCount, const png_color_16* key) {
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, bitDepth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (palette) png_set_PLTE(png, info, palette, paletteSize);
    if (alphas || key) png_set_tRNS(png, info, alphas, alphaCount, key);
    png_write_info(png, info);
    for (uint32_t y = 0; y < height; ++y) png_write_row(png, rows.data() + y * rowBytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, uint16_t(v));
    Put16(out, uint16_t(v >> 16));
}

}  // namespace

void WritePalettePng(const std::string& path) {
    const png_color palette[3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const uint8_t alphas[3] = {255, 255, 0};
    WritePng(path, 3, 2, 8, PNG_COLOR_TYPE_PALETTE, {0, 1, 2, 2, 1, 0}, 3, palette, 3, alphas, 3, nullptr);
}

void WriteGray2BitPng(const std::string& path) {
    // Four 2-bit pixels in one byte: 0, 1, 2, 3.
    WritePng(path, 4, 1, 2, PNG_COLOR_TYPE_GRAY, {0x1B}, 1, nullptr, 0, nullptr, 0, nullptr);
}

void WriteColorKeyPng(const std::string& path) {
    png_color_16 key{};
    key.red = 10;
    key.green = 20;
    key.blue = 30;
    WritePng(path, 2, 1, 8, PNG_COLOR_TYPE_RGB, {200, 100, 50, 10, 20, 30}, 6, nullptr, 0, nullptr, 0, &key);
}

void WriteTiffWithLibtiff(const std::string& path, const TiffShape& s, const std::vector<uint8_t>& samples) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.planar);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, s.sampleFormat);
    if (s.inkSet) TIFFSetField(tif, TIFFTAG_INKSET, s.inkSet);
    if (s.extraKind != 0xFFFF) {
        const uint16_t count = uint16_t(s.samplesPerPixel - (s.photometric == PHOTOMETRIC_RGB ? 3
                                                             : s.photometric == PHOTOMETRIC_SEPARATED ? 4
                                                                                                      : 1));
        std::vector<uint16_t> kinds(count, s.extraKind);
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, count, kinds.data());
    }
    if (s.withColormap) {
        std::vector<uint16_t> map(size_t(1) << s.bitsPerSample, 0);
        TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
    }
    const uint32_t bitsPerPixel = uint32_t(s.bitsPerSample) * s.samplesPerPixel;
    const size_t rowBytes = (size_t(s.width) * bitsPerPixel + 7) / 8;
    const size_t sampleBytes = s.bitsPerSample / 8;
    const bool separate = s.planar == PLANARCONFIG_SEPARATE;
    const int planes = separate ? s.samplesPerPixel : 1;
    // The bytes of (x, y) in `plane` (or the whole pixel when contiguous).
    auto pixel = [&](uint32_t x, uint32_t y, int plane, uint8_t* out) {
        const size_t at = y * rowBytes + x * sampleBytes * s.samplesPerPixel;
        if (separate) {
            std::memcpy(out, samples.data() + at + plane * sampleBytes, sampleBytes);
        } else {
            std::memcpy(out, samples.data() + at, sampleBytes * s.samplesPerPixel);
        }
    };
    const size_t pixelBytes = separate ? sampleBytes : sampleBytes * s.samplesPerPixel;
    if (s.tileSize) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, s.tileSize);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, s.tileSize);
        std::vector<uint8_t> tile(size_t(s.tileSize) * s.tileSize * pixelBytes);
        for (int p = 0; p < planes; ++p) {
            for (uint32_t ty = 0; ty < s.height; ty += s.tileSize) {
                for (uint32_t tx = 0; tx < s.width; tx += s.tileSize) {
                    std::fill(tile.begin(), tile.end(), 0);
                    for (uint32_t y = ty; y < std::min(s.height, ty + s.tileSize); ++y) {
                        for (uint32_t x = tx; x < std::min(s.width, tx + s.tileSize); ++x) {
                            pixel(x, y, p, tile.data() + ((y - ty) * s.tileSize + (x - tx)) * pixelBytes);
                        }
                    }
                    TIFFWriteTile(tif, tile.data(), tx, ty, 0, uint16_t(p));
                }
            }
        }
    } else if (s.bitsPerSample < 8) {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, s.height);
        for (uint32_t y = 0; y < s.height; ++y) {
            std::vector<uint8_t> row(samples.begin() + y * rowBytes, samples.begin() + (y + 1) * rowBytes);
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2u);
        std::vector<uint8_t> row(size_t(s.width) * pixelBytes);
        for (int p = 0; p < planes; ++p) {
            for (uint32_t y = 0; y < s.height; ++y) {
                for (uint32_t x = 0; x < s.width; ++x) pixel(x, y, p, row.data() + x * pixelBytes);
                TIFFWriteScanline(tif, row.data(), y, uint16_t(p));
            }
        }
    }
    TIFFClose(tif);
}

std::vector<uint8_t> HandMadeTiff(uint32_t width, uint32_t height, uint32_t dataBytes) {
    std::vector<uint8_t> out = {'I', 'I', 42, 0};
    Put32(out, 8);  // the directory follows the header
    struct Entry {
        uint16_t tag, type;
        uint32_t value;
    };
    const uint32_t entries = 9;
    const uint32_t dataOffset = 8 + 2 + entries * 12 + 4 + 6;  // after the directory and BitsPerSample
    const Entry list[entries] = {
        {256, 4, width}, {257, 4, height}, {258, 3, 0},  // BitsPerSample: 3 shorts, stored below
        {259, 3, 1},     {262, 3, 2},      {273, 4, dataOffset},
        {277, 3, 3},     {278, 4, height}, {279, 4, dataBytes},
    };
    Put16(out, entries);
    for (const Entry& e : list) {
        Put16(out, e.tag);
        Put16(out, e.type);
        Put32(out, e.tag == 258 ? 3 : 1);
        if (e.tag == 258) {
            Put32(out, dataOffset - 6);
        } else if (e.type == 3) {
            Put16(out, uint16_t(e.value));
            Put16(out, 0);
        } else {
            Put32(out, e.value);
        }
    }
    Put32(out, 0);  // no next directory
    for (int i = 0; i < 3; ++i) Put16(out, 8);
    out.resize(out.size() + dataBytes, 0x80);
    return out;
}

void WriteCmykJpeg(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& ink,
                   bool adobeInverted) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.write_Adobe_marker = adobeInverted ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(width * 4);
    for (uint32_t y = 0; y < height; ++y) {
        for (size_t i = 0; i < row.size(); ++i) {
            const uint8_t v = ink[y * row.size() + i];
            row[i] = adobeInverted ? uint8_t(255 - v) : v;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

std::vector<uint8_t> RawJpegSamples(const std::string& path, bool* sawAdobeMarker) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    FILE* file = std::fopen(path.c_str(), "rb");
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_YCCK) info.out_color_space = JCS_CMYK;
    jpeg_start_decompress(&info);
    std::vector<uint8_t> samples(size_t(info.output_width) * info.output_height * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {samples.data() + size_t(info.output_scanline) * info.output_width * info.output_components};
        jpeg_read_scanlines(&info, rows, 1);
    }
    *sawAdobeMarker = info.saw_Adobe_marker;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return samples;
}
