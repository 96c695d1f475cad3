#include "cli/image/WindowsFormats.h"

#include <cstring>

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
    const std::string ext = LowerExtension(path);
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

bool DetectWindowsFormat(const uint8_t* head, size_t size, WindowsFormat* format) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(head, kPng, 8) == 0) {
        *format = WindowsFormat::Png;
    } else if (size >= 4 && ((head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0) ||
                             (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43)))) {
        *format = WindowsFormat::Tiff;
    } else if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        *format = WindowsFormat::Jpeg;
    } else if (size >= 2 && head[0] == 'B' && head[1] == 'M') {
        *format = WindowsFormat::Bmp;
    } else {
        return false;
    }
    return true;
}
