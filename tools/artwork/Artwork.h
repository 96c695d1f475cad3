// The module's pictures, drawn at any whole scale (1: the 96-DPI sizes the
// dialog is laid out for; 2: the double-size set for high-DPI screens).
#pragma once

#include <string>
#include <vector>

#include "ArtCanvas.h"

struct Picture {
    int identifier;    // bitmap resource identifier at scale 1
    std::string name;  // file name without folder and suffix
    ArtCanvas canvas;
};

// Every picture at `scale`.
std::vector<Picture> DrawArtwork(int scale);

// The module's icon (shown for preset files): the emblem at 16, 32, 48 and
// 256 pixels, with its coverage as transparency.
struct IconImage {
    ArtCanvas canvas;
    std::vector<float> alpha;  // 0..1 per pixel, top-down
};
std::vector<IconImage> DrawModuleIcon();

// An .ico file of 32-bit images (colour with alpha, and the 1-bit mask).
std::vector<unsigned char> EncodeIco(const std::vector<IconImage>& images);
