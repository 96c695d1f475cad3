// Between an image file's samples and the interleaved buffer the filter
// sees. The module takes only RGB and CMYK, so gray (with its alpha) goes
// out as RGB(A) and comes back collapsed to gray; CMYK goes out inverted
// (full scale = no ink) and comes back as ink amounts; 16-bit samples go out
// in 0..32768 and come back in 0..65535 (SampleScale.h); the transparency is
// the last plane.
#pragma once

#include <string>

#include "cli/image/Image.h"
#include "cli/session/InterfaceImage.h"

InterfaceImage ToInterfaceImage(const Image& image);

// The same, taking the image's samples (moved when they already are the
// interface's bytes, as RGB and RGBA at 8 bits are); the image keeps
// everything but its samples.
InterfaceImage TakeInterfaceImage(Image& image);

// Stores `pixels` (the shape ToInterfaceImage gave for this image) back into
// the image's own model and depth; the image's sample vectors are sized
// here when they are not already (the caller may drop them in between). Gray takes the luma of the RGB samples,
// (299 R + 587 G + 114 B) / 1000 rounded, exact for neutral colours. Empty
// on success, else the reason.
std::string FromInterfaceImage(const InterfaceImage& pixels, Image& image);
