// The pictures the dialog's two panes show: 24-bit, blue-green-red, rows
// bottom-up, a width that is a multiple of 4 (so rows need no padding) —
// what a device-independent bitmap takes in one call. Made from a
// rendered preview region or from the whole source image; 16-bit samples
// come down to 8 bits and transparency shows over a checkerboard.
#pragma once

#include <cstdint>
#include <vector>

// Interleaved samples: 8-bit, or 16-bit with full scale 32768. Colour in
// samples 0..2 and, with 4 or more samples, alpha in sample 3.
struct PictureSource {
    const uint8_t* data;
    int64_t rowBytes;
    int width, height;
    int planes;
    int depth;  // 8 or 16; anything else gives a black picture
};

struct PanePicture {
    int width = 0, height = 0;    // the picture, pixels
    int offsetX = 0, offsetY = 0; // where it goes in the pane
    std::vector<uint8_t> bgr;     // width x height x 3, bottom row first
};

// A 16-bit sample in 8 bits: v >> 7, and 255 for the top of the range, so
// that 32768 and 32767 show as 255.
inline uint8_t SampleTo8(uint16_t v) { return (v & 0xFF80) > 32640 ? 255 : uint8_t(v >> 7); }

// The checker colour behind picture pixel (x, y): 140 on every other
// 10 x 10 cell when the checkerboard is on, else black.
inline int CheckerColor(int x, int y, bool checkerboard) {
    return checkerboard && ((x / 10 + y / 10) % 2 == 0) ? 140 : 0;
}

// The preview pane's picture: the region shown 1:1, centred when smaller
// than the pane; (panX, panY) the pane's pending pan, pulled back inside.
PanePicture BuildPreviewPicture(const PictureSource& region, int paneWidth, int paneHeight, int panX, int panY,
                                bool checkerboard);

// The navigator's scale and picture size: the whole image fitted into the
// pane, never enlarged, the width rounded down to a multiple of 4.
struct NavigatorFit {
    float scale;  // pane pixels per image pixel, at most 1
    int width, height, offsetX, offsetY;
};
NavigatorFit FitNavigator(int imageWidth, int imageHeight, int paneWidth, int paneHeight);

// The navigator's picture: nearest-neighbour samples of the whole image;
// where `mask` (one byte per image pixel, may be null) is non-zero the
// pixel is shown as a negative.
PanePicture BuildNavigatorPicture(const PictureSource& image, const uint8_t* mask, int64_t maskRowBytes,
                                  int paneWidth, int paneHeight, bool checkerboard);
