// Puts an ICC profile into an encoded PNG or JPEG, for encoders that cannot
// embed one themselves (the Windows Imaging Component under wine, for one),
// and finds a JPEG's profile for decoders that do not hand it over.
// Portable: tested on Linux against libpng and libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An iCCP chunk right after IHDR.
// False when the bytes are not a PNG that starts with IHDR, or one already
// has a profile.
bool EmbedPngProfile(std::vector<uint8_t>& png, const std::vector<uint8_t>& profile);

// APP2 "ICC_PROFILE" segments after the leading APP0/APP1 segments. False
// when the bytes are not a JPEG or the profile needs more than 255 segments.
bool EmbedJpegProfile(std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& profile);

// The profile of a JPEG's APP2 "ICC_PROFILE" segments, joined in their
// numbered order; empty when there is none or a segment is missing.
std::vector<uint8_t> FindJpegProfile(const uint8_t* jpeg, size_t size);
