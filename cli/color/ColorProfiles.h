// Which profiles the colour engine uses for an image: its own embedded
// profile for its own colour space, defaults for the other one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/image/Image.h"

// Ghostscript's default CMYK profile (Debian package libgs-common).
constexpr const char* kDefaultCmykProfilePath = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

struct ColorProfileChoice {
    std::vector<uint8_t> rgbProfile;   // empty: the built-in sRGB
    std::vector<uint8_t> cmykProfile;  // empty: the file at cmykPath
    std::string cmykPath = kDefaultCmykProfilePath;
    std::string note;                  // why an embedded profile was passed over, if one was
};

// RGB: the image's profile when the image is RGB and the profile is an RGB
// one, else sRGB. CMYK: the image's profile when the image is CMYK and the
// profile is a CMYK one, else the default file.
ColorProfileChoice ChooseProfiles(const Image& image);

// The data colour space of an ICC profile's header ("RGB ", "CMYK", ...),
// empty when the bytes are too short to be a profile.
std::string IccColorSpace(const std::vector<uint8_t>& profile);
