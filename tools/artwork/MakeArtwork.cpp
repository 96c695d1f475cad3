// Writes the module's bitmaps and icon: make-artwork <folder>. Each picture
// as <name>.bmp (96 DPI) and <name>-2x.bmp (the double-size set the toolkit
// loads from 144 DPI on). resources/art/ holds the committed output; a test
// regenerates it and compares the bytes.
#include <cstdio>
#include <string>

#include "Artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork <folder>\n");
        return 1;
    }
    const std::string folder = argv[1];
    for (int scale : {1, 2}) {
        for (const Picture& picture : DrawArtwork(scale)) {
            const std::string path = folder + "/" + picture.name + (scale == 2 ? "-2x" : "") + ".bmp";
            if (!WriteFile(path, EncodeBmp(picture.canvas))) {
                std::fprintf(stderr, "make-artwork: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    const std::string icon = folder + "/module.ico";
    if (!WriteFile(icon, EncodeIco(DrawModuleIcon()))) {
        std::fprintf(stderr, "make-artwork: cannot write %s\n", icon.c_str());
        return 1;
    }
    return 0;
}
