#include "cli/win32/WindowsFormats.h"

#include <algorithm>
#include <cctype>

const char* WindowsFormatName(WindowsFormat format) {
    switch (format) {
        case WindowsFormat::Png: return "PNG";
        case WindowsFormat::Tiff: return "TIFF";
        case WindowsFormat::Jpeg: return "JPEG";
        case WindowsFormat::Bmp: return "BMP";
    }
    return "?";
}

bool WindowsFormatFromExtension(const std::string& path, WindowsFormat* format) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == "png") {
        *format = WindowsFormat::Png;
    } else if (ext == "tif" || ext == "tiff") {
        *format = WindowsFormat::Tiff;
    } else if (ext == "jpg" || ext == "jpeg" || ext == "jpe") {
        *format = WindowsFormat::Jpeg;
    } else if (ext == "bmp") {
        *format = WindowsFormat::Bmp;
    } else {
        return false;
    }
    return true;
}

std::string CheckWindowsWritable(const Image& image, WindowsFormat format) {
    switch (format) {
        case WindowsFormat::Png:
            if (image.model == ColorModel::Cmyk) return "PNG cannot hold a CMYK image";
            break;
        case WindowsFormat::Jpeg:
            if (image.depth != 8 || image.hasAlpha) return "JPEG holds only 8-bit images without transparency";
            break;
        case WindowsFormat::Bmp:
            if (image.depth != 8 || image.hasAlpha || image.model == ColorModel::Cmyk) {
                return "BMP holds only 8-bit RGB images without transparency";
            }
            break;
        case WindowsFormat::Tiff: break;
    }
    return {};
}
