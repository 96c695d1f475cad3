// Image files through the Windows Imaging Component: the first frame of a
// PNG, TIFF, JPEG or BMP file read into an Image (cli/image/Image.h) in the
// file's own conventions, with its ICC profile and resolution; written back
// as PNG, JPEG or BMP through the system's encoders (the profile embedded
// afterwards, see ProfileEmbedding.h) and as TIFF through TiffEncoder.h.
#pragma once

#include <string>

#include "cli/image/Image.h"
#include "cli/image/WindowsFormats.h"

// Empty on success, else the reason (without the file's name).
std::string ReadImageWithWic(const std::wstring& path, Image* image, WindowsFormat* format);

// Writes a new file at `path` (replacing one there). Empty on success.
std::string WriteImageWithWic(const std::wstring& path, const Image& image, WindowsFormat format);
