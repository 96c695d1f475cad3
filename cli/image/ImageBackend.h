// What the commands need from image files and colour management. One
// implementation per platform: libpng, libtiff, libjpeg and Little CMS on
// Linux; the Windows Imaging Component and Windows colour management on
// Windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/session/HostSession.h"
#include "cli/session/InterfaceImage.h"

struct ImageFileInfo;  // per-platform: what writing the result back needs

struct LoadedImage {
    InterfaceImage image;                  // as the filter sees it
    std::shared_ptr<ImageFileInfo> file;   // format, profile, original layout
    std::string description;               // e.g. "PNG RGBA 8-bit"
};

// Reads an image file into the interface's form (gray becomes RGB).
bool LoadImageFile(const std::string& path, LoadedImage* loaded, std::string* error);

// Writes `result` (the filtered interface image) in the original's format,
// mode, depth, alpha and profile.
bool SaveImageFile(const std::string& path, const LoadedImage& original, const InterfaceImage& result,
                   std::string* error);

// Reads an 8-bit gray selection mask of exactly width x height pixels.
bool LoadMaskFile(const std::string& path, int width, int height, std::vector<uint8_t>* mask, std::string* error);

// The colour suite's conversions for this image (its own profile when it
// has one). Returns false when no colour management is available.
bool MakeColorService(const LoadedImage& loaded, ColorService* service, std::string* error);
