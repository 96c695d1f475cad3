// Files the product never writes, made with the libraries directly (or by
// hand) so the readers meet them: palettes, low-bit gray, colour keys,
// tiles, odd TIFF modes, CMYK JPEGs with and without Adobe's marker.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void WritePalettePng(const std::string& path);   // 3 x 2: red, green, transparent blue
void WriteGray2BitPng(const std::string& path);  // 4 x 1: levels 0..3
void WriteColorKeyPng(const std::string& path);  // 2 x 1 RGB, the second pixel keyed out

struct TiffShape {
    uint32_t width = 4, height = 3;
    uint16_t samplesPerPixel = 3, bitsPerSample = 8;
    uint16_t photometric = 2;      // RGB
    uint16_t planar = 1;           // contiguous
    uint16_t extraKind = 0xFFFF;   // no ExtraSamples tag
    uint16_t compression = 1;
    uint16_t inkSet = 0;           // 0: no InkSet tag
    uint16_t sampleFormat = 1;
    uint32_t tileSize = 0;         // 0: strips
    bool withColormap = false;
};

// Writes `samples` (interleaved, native 16-bit when bitsPerSample is 16;
// exactly what the image needs) in the requested layout.
void WriteTiffWithLibtiff(const std::string& path, const TiffShape& shape, const std::vector<uint8_t>& samples);

// A little-endian TIFF built byte by byte: one strip of `dataBytes` bytes
// for an 8-bit RGB image of the given size, whatever that size needs.
std::vector<uint8_t> HandMadeTiff(uint32_t width, uint32_t height, uint32_t dataBytes);

// 8-bit CMYK JPEG from ink amounts (0 = no ink), stored inverted with
// Adobe's marker or plain without it.
void WriteCmykJpeg(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& ink,
                   bool adobeInverted);

// Decodes a JPEG's raw samples (no inversion), for checking what was stored.
std::vector<uint8_t> RawJpegSamples(const std::string& path, bool* sawAdobeMarker);
