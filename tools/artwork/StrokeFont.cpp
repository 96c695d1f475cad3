#include "StrokeFont.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const float kPi = 3.14159265f;
const float kX = 0.72f;   // x-height
const float kR = kX / 2;  // radius of the round lowercase bowls
const float kGap = 0.16f; // between one letter's ink and the next one's

// A segment (arc false) from (x0, y0) to (x1, y1), or an arc around (x0,
// y0) of radius r from angle a0 counter-clockwise to a1 (degrees).
struct Stroke {
    bool arc;
    float x0, y0, x1, y1, r, a0, a1;
};

Stroke Line(float x0, float y0, float x1, float y1) { return {false, x0, y0, x1, y1, 0, 0, 0}; }
Stroke Arc(float cx, float cy, float r, float a0, float a1) { return {true, cx, cy, 0, 0, r, a0, a1}; }
Stroke Dot(float x, float y) { return Line(x, y, x, y); }

struct Glyph {
    char letter;
    float ink;  // width of the ink between the stroke centre lines
    std::vector<Stroke> strokes;
};

const std::vector<Glyph>& Glyphs() {
    static const std::vector<Glyph> glyphs = {
        {' ', 0.18f, {}},
        {'A', 0.72f, {Line(0, 0, 0.36f, 1), Line(0.36f, 1, 0.72f, 0), Line(0.14f, 0.36f, 0.58f, 0.36f)}},
        {'H', 0.66f, {Line(0, 0, 0, 1), Line(0.66f, 0, 0.66f, 1), Line(0, 0.52f, 0.66f, 0.52f)}},
        {'I', 0.30f, {Line(0.15f, 0, 0.15f, 1), Line(0, 1, 0.30f, 1), Line(0, 0, 0.30f, 0)}},  // serifs: II, not ll
        {'L', 0.54f, {Line(0, 1, 0, 0), Line(0, 0, 0.54f, 0)}},
        {'b', 0.72f, {Line(0, 0, 0, 1), Arc(kR, kR, kR, 0, 360)}},
        {'c', 0.66f, {Arc(kR, kR, kR, 45, 315)}},
        {'e', 0.72f, {Arc(kR, kR, kR, 0, 320), Line(0, kR, kX, kR)}},
        {'i', 0.00f, {Line(0, 0, 0, kX), Dot(0, 0.98f)}},
        {'l', 0.00f, {Line(0, 0, 0, 1)}},
        {'m', 0.84f, {Line(0, 0, 0, kX), Arc(0.21f, 0.50f, 0.21f, 0, 180), Line(0.42f, 0.50f, 0.42f, 0),
                      Arc(0.63f, 0.50f, 0.21f, 0, 180), Line(0.84f, 0.50f, 0.84f, 0)}},
        {'o', 0.72f, {Arc(kR, kR, kR, 0, 360)}},
        {'p', 0.72f, {Line(0, kX, 0, -0.26f), Arc(kR, kR, kR, 0, 360)}},
        {'r', 0.50f, {Line(0, 0, 0, kX), Arc(0.30f, 0.42f, 0.30f, 50, 180)}},
        {'t', 0.38f, {Line(0.14f, 0.94f, 0.14f, 0), Line(0, kX, 0.38f, kX)}},
        {'u', 0.66f, {Line(0, kX, 0, 0.33f), Arc(0.33f, 0.33f, 0.33f, 180, 360), Line(0.66f, kX, 0.66f, 0)}},
    };
    return glyphs;
}

const Glyph* Find(char letter) {
    for (const Glyph& glyph : Glyphs())
        if (glyph.letter == letter) return &glyph;
    return nullptr;
}

float SegmentDistance(float px, float py, float x0, float y0, float x1, float y1) {
    const float dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / length2 : 0.0f;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

// Angles grow counter-clockwise with y up, as the glyphs are defined.
float ArcDistance(float px, float py, const Stroke& s) {
    float angle = std::atan2(py - s.y0, px - s.x0) * 180.0f / kPi;
    if (angle < s.a0) angle += 360.0f;
    if (angle <= s.a1) return std::fabs(std::hypot(px - s.x0, py - s.y0) - s.r);
    const float e0x = s.x0 + s.r * std::cos(s.a0 * kPi / 180.0f), e0y = s.y0 + s.r * std::sin(s.a0 * kPi / 180.0f);
    const float e1x = s.x0 + s.r * std::cos(s.a1 * kPi / 180.0f), e1y = s.y0 + s.r * std::sin(s.a1 * kPi / 180.0f);
    return std::min(std::hypot(px - e0x, py - e0y), std::hypot(px - e1x, py - e1y));
}

// The stroke centre lines are inset by half a stroke, so that a capital's
// ink spans exactly the cap height and a letter's ink starts at its origin.
float Inset(const TextStyle& style) { return style.stroke * 0.5f; }

float Advance(const Glyph* glyph, const TextStyle& style) {
    const float unit = style.capHeight - style.stroke;
    return ((glyph ? glyph->ink : 0.5f) + kGap) * unit + style.stroke + style.tracking;
}

}  // namespace

float MeasureText(const std::string& text, const TextStyle& style) {
    float width = 0.0f;
    for (char letter : text) width += Advance(Find(letter), style);
    // No gap after the last letter's ink.
    return text.empty() ? 0.0f : width - kGap * (style.capHeight - style.stroke) - style.tracking;
}

void DrawText(ArtCanvas& canvas, const std::string& text, float x, float baseline, const TextStyle& style) {
    const float unit = style.capHeight - style.stroke;  // centre line to centre line
    float pen = x;
    for (char letter : text) {
        const Glyph* glyph = Find(letter);
        if (glyph) {
            const float ox = pen + Inset(style), oy = baseline - Inset(style);
            const int left = int(pen) - 2, right = int(pen + glyph->ink * unit + style.stroke) + 2;
            const int top = int(baseline - style.capHeight) - 2, bottom = int(baseline + 0.3f * unit) + 3;
            for (int py = top; py < bottom; ++py) {
                for (int px = left; px < right; ++px) {
                    // The pixel centre in glyph units (y up).
                    const float gx = (px + 0.5f - ox) / unit, gy = (oy - (py + 0.5f)) / unit;
                    float nearest = 1e9f;
                    for (const Stroke& s : glyph->strokes) {
                        const float d =
                            s.arc ? ArcDistance(gx, gy, s) : SegmentDistance(gx, gy, s.x0, s.y0, s.x1, s.y1);
                        nearest = std::min(nearest, d);
                    }
                    Blend(canvas, px, py, style.colour, style.stroke * 0.5f + 0.5f - nearest * unit);
                }
            }
        }
        pen += Advance(glyph, style);
    }
}
