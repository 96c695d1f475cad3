// An image file in memory: its samples in the file's own conventions and
// everything else that writing it back needs, so that the output keeps the
// input's format, mode, depth, transparency and colour profile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class ColorModel { Gray, Rgb, Cmyk };

enum class FileFormat { Png, Tiff, Jpeg };

enum class ResolutionUnit { None, Inch, Centimetre };  // None: an aspect ratio only

struct Resolution {
    bool present = false;
    double x = 0, y = 0;  // pixels per unit
    ResolutionUnit unit = ResolutionUnit::None;
};

// PNG ancillary chunks kept on a round trip (values as libpng's fixed point).
struct PngDetails {
    bool interlaced = false;
    bool fromPalette = false;      // palette expanded to RGB(A); written back as RGB(A)
    bool fromLowBitGray = false;   // 1, 2 or 4-bit gray expanded; written back as 8-bit
    int srgbIntent = -1;           // sRGB chunk, -1 when absent
    bool hasGamma = false;
    int32_t gamma = 0;             // gAMA x 100000
    bool hasChromaticities = false;
    int32_t chromaticities[8] = {};  // cHRM white x,y red x,y green x,y blue x,y (x 100000)
};

// TIFF layout choices kept on a round trip. Codes are libtiff's tag values.
struct TiffDetails {
    uint16_t compression = 5;       // LZW
    uint16_t predictor = 1;         // none
    uint16_t planarConfig = 1;      // contiguous; 2 = one plane per sample
    uint16_t alphaKind = 2;         // ExtraSamples: 0 unspecified, 1 associated, 2 unassociated
    uint16_t orientation = 1;       // kept as a tag; samples stay in stored order
    bool minIsWhite = false;        // gray stored with 0 = white
    bool tiled = false;             // read from tiles; written back as strips
};

struct JpegDetails {
    bool progressive = false;
    bool ycck = false;              // CMYK stored through the YCCK transform
    int components = 0;             // sampling factors below are valid for this many
    uint8_t sampling[4][2] = {};    // per component: horizontal, vertical
};

struct Image {
    uint32_t width = 0, height = 0;
    ColorModel model = ColorModel::Rgb;
    bool hasAlpha = false;  // the last sample of each pixel, unassociated, 0 = transparent
    int depth = 8;          // 8 or 16
    // Interleaved rows without padding; samples8 holds 8-bit images (0..255),
    // samples16 16-bit ones (0..65535). CMYK samples are ink amounts: 0 = no ink.
    std::vector<uint8_t> samples8;
    std::vector<uint16_t> samples16;

    std::vector<uint8_t> iccProfile;  // embedded profile bytes, empty when none
    FileFormat format = FileFormat::Png;
    Resolution resolution;
    PngDetails png;
    TiffDetails tiff;
    JpegDetails jpeg;
};

inline int ColorChannels(ColorModel model) {
    return model == ColorModel::Gray ? 1 : model == ColorModel::Rgb ? 3 : 4;
}

inline int SamplesPerPixel(const Image& image) {
    return ColorChannels(image.model) + (image.hasAlpha ? 1 : 0);
}

inline size_t SampleCount(const Image& image) {
    return size_t(image.width) * image.height * SamplesPerPixel(image);
}

// Sizes the sample vector of the image's depth (and empties the other).
void AllocateSamples(Image& image);

// "PNG RGBA 8-bit", "TIFF CMYK 16-bit": for messages and listings.
const char* FormatName(FileFormat format);
const char* ModelName(ColorModel model);

// "PNG RGB+alpha 8-bit": what an image file holds, for listings.
std::string DescribeImage(const char* formatName, const Image& image);

// The filter engraves gray as RGB, and RGB is what comes out (strokes of
// "Split color" and "Initial color" are coloured): turns a gray image's
// description into RGB. A gray profile cannot describe RGB samples, so it
// is dropped.
void MakeGrayRgb(Image& image);

// The extension of a file name in lower case, without the dot ("" if none).
std::string LowerExtension(const std::string& path);
