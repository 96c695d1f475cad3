// Format detection from signatures and from file name extensions.
#include <cstring>

#include "cli/image/ImageIo.h"

bool DetectFormat(const uint8_t* head, size_t size, FileFormat& format) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(head, kPng, 8) == 0) {
        format = FileFormat::Png;
        return true;
    }
    // Classic TIFF (42) and BigTIFF (43), either byte order.
    if (size >= 4 && ((head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0) ||
                      (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43)))) {
        format = FileFormat::Tiff;
        return true;
    }
    if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        format = FileFormat::Jpeg;
        return true;
    }
    return false;
}

bool FormatFromExtension(const std::string& path, FileFormat& format) {
    const std::string ext = LowerExtension(path);
    if (ext == "png") {
        format = FileFormat::Png;
    } else if (ext == "tif" || ext == "tiff") {
        format = FileFormat::Tiff;
    } else if (ext == "jpg" || ext == "jpeg" || ext == "jpe") {
        format = FileFormat::Jpeg;
    } else {
        return false;
    }
    return true;
}
