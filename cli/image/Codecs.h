// One reader and one writer per format, behind ImageIo. Readers get the
// whole file in memory and fill a fresh image; writers get an open file.
// Both return an empty string on success, else the reason (without the
// file's name, which ImageIo adds).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/image/Image.h"
#include "cli/image/ImageIo.h"

std::string ReadPng(const uint8_t* data, size_t size, Image& image);
std::string ReadTiff(const uint8_t* data, size_t size, Image& image);
std::string ReadJpeg(const uint8_t* data, size_t size, Image& image);

std::string WritePng(FILE* file, const Image& image);  // file stays open
std::string WriteTiff(int fd, const char* name, const Image& image);  // closes fd
std::string WriteJpeg(FILE* file, const Image& image, const WriteOptions& options);
