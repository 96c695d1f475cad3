// The file formats the Windows command reads and writes, and what each can
// hold. Portable, so that the choices are tested on Linux.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/image/Image.h"

enum class WindowsFormat { Png, Tiff, Jpeg, Bmp };

const char* WindowsFormatName(WindowsFormat format);  // "PNG", "TIFF", "JPEG", "BMP"

// From the name's extension, any case: .png; .tif, .tiff; .jpg, .jpeg, .jpe; .bmp.
bool WindowsFormatFromExtension(const std::string& path, WindowsFormat* format);

// From the file's first bytes (8 are enough); false when none matches.
bool DetectWindowsFormat(const uint8_t* head, size_t size, WindowsFormat* format);

// Empty when `image` can be written as `format`, else the reason: PNG holds
// no CMYK; JPEG only 8-bit images without transparency; BMP only 8-bit RGB
// without transparency.
std::string CheckWindowsWritable(const Image& image, WindowsFormat format);
