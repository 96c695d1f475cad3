#include "cli/image/Image.h"

#include <cctype>

void AllocateSamples(Image& image) {
    if (image.depth == 16) {
        image.samples8.clear();
        image.samples16.assign(SampleCount(image), 0);
    } else {
        image.samples16.clear();
        image.samples8.assign(SampleCount(image), 0);
    }
}

const char* FormatName(FileFormat format) {
    switch (format) {
        case FileFormat::Png: return "PNG";
        case FileFormat::Tiff: return "TIFF";
        case FileFormat::Jpeg: return "JPEG";
    }
    return "?";
}

const char* ModelName(ColorModel model) {
    switch (model) {
        case ColorModel::Gray: return "Gray";
        case ColorModel::Rgb: return "RGB";
        case ColorModel::Cmyk: return "CMYK";
    }
    return "?";
}

std::string DescribeImage(const char* formatName, const Image& image) {
    return std::string(formatName) + " " + ModelName(image.model) + (image.hasAlpha ? "+alpha " : " ") +
           std::to_string(image.depth) + "-bit";
}

void MakeGrayRgb(Image& image) {
    if (image.model != ColorModel::Gray) return;
    image.model = ColorModel::Rgb;
    image.iccProfile.clear();
    image.png.fromLowBitGray = false;
    image.tiff.minIsWhite = false;
}

std::string LowerExtension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}
