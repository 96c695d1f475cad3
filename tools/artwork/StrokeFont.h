// A small geometric sans-serif drawn as strokes (segments and circular arcs
// with round ends), for the captions baked into the artwork. Only the
// letters the pictures use are defined. Glyph coordinates are in cap
// heights: x to the right, y up from the baseline.
#pragma once

#include <string>

#include "ArtCanvas.h"

struct TextStyle {
    float capHeight;  // pixels from baseline to the top of a capital
    float stroke;     // stroke width in pixels
    float tracking;   // extra space between letters, in pixels
    Rgb colour;
};

// Width in pixels of `text` set in `style`.
float MeasureText(const std::string& text, const TextStyle& style);

// Sets `text` with its left edge at x and its baseline at y.
void DrawText(ArtCanvas& canvas, const std::string& text, float x, float baseline, const TextStyle& style);
