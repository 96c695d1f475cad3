// Reading and writing image files. The format read is found from the
// file's first bytes, never from its name; the format written is
// `image.format` (set it from FormatFromExtension when the command asks for
// a format by name). Every failure leaves the destination untouched and
// returns a message that begins with the file's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/image/Image.h"

struct ImageIoResult {
    bool ok = false;
    std::string message;  // "<path>: <reason>" when !ok
};

struct WriteOptions {
    int jpegQuality = 92;  // 1..100; 92 keeps fine engraved lines free of ringing
};

ImageIoResult ReadImageFile(const std::string& path, Image& image);

// The same from bytes in memory; `name` stands for the file in messages.
ImageIoResult ReadImageMemory(const uint8_t* data, size_t size, const std::string& name, Image& image);

// Writes to a temporary file beside `path` and renames it into place, so a
// failure never leaves a half-written file under the wanted name.
ImageIoResult WriteImageFile(const std::string& path, const Image& image, const WriteOptions& options = {});

// Empty when `image` can be stored as `format`, else the reason (PNG holds
// no CMYK; JPEG holds only 8-bit images without transparency).
std::string CheckWritable(const Image& image, FileFormat format);

// From the file's first bytes (8 are enough); false when none matches.
bool DetectFormat(const uint8_t* head, size_t size, FileFormat& format);

// From the name's extension, any case: .png; .tif, .tiff; .jpg, .jpeg, .jpe.
bool FormatFromExtension(const std::string& path, FileFormat& format);
