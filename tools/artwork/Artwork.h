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
