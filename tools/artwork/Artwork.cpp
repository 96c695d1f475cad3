// The look: quiet flat surfaces on the dialog's 232 grey, a slate ink for
// text, one blue accent. Hover tints the surface blue; pressed deepens the
// tint and moves the caption down a pixel, so the three states tell apart
// at a glance.
#include "Artwork.h"

#include <cmath>

#include "StrokeFont.h"

namespace {

const Rgb kBackground = Grey(232);
const Rgb kInk = {38, 45, 56};
const Rgb kAccent = {44, 102, 176};
const Rgb kAccentInk = {28, 70, 132};
const Rgb kWhite = Grey(255);

struct Surface {
    Rgb top, bottom, border, ring;
    float ringOpacity;
};

const Surface kNormal = {Grey(251), Grey(236), {164, 168, 174}, kWhite, 0.55f};
const Surface kDefault = {Grey(251), Grey(236), kAccent, {160, 193, 232}, 1.0f};
const Surface kHover = {{242, 248, 255}, {220, 233, 250}, {88, 142, 206}, kWhite, 0.55f};
const Surface kPressed = {{204, 219, 240}, {221, 232, 247}, kAccent, {150, 172, 204}, 0.45f};

// A rounded surface [x0, x1] x [y0, y1] with its border and inner ring.
void DrawSurface(ArtCanvas& canvas, const Surface& s, float x0, float y0, float x1, float y1, float radius, int k) {
    FillRoundRect(canvas, x0, y0, x1, y1, radius, s.top, s.bottom);
    StrokeRoundRect(canvas, x0 + k, y0 + k, x1 - k, y1 - k, radius - k, float(k), s.ring, s.ringOpacity);
    StrokeRoundRect(canvas, x0, y0, x1, y1, radius, float(k), s.border);
}

// The owner-drawn buttons' skins: one button 3 caps wide is drawn and cut
// into left cap, middle and right cap, so the pieces always join. The body
// ends two rows short of the bottom (a soft shadow, then background), so a
// button a row or two shorter than the skin loses nothing but shadow.
void DrawSkins(int k, std::vector<Picture>& out) {
    const struct {
        const Surface* surface;
        const char* name;
        int rightId;
    } sets[] = {{&kNormal, "normal", 123}, {&kDefault, "default", 126}, {&kHover, "hover", 129}, {&kPressed, "pressed", 132}};
    const int cap = 18 * k, height = 24 * k;
    for (const auto& set : sets) {
        ArtCanvas button = MakeCanvas(3 * cap, height, kBackground);
        FillRoundRect(button, 0, float(k), float(3 * cap), 23.0f * k, 4.0f * k, Grey(0), Grey(0), 0.10f);
        DrawSurface(button, *set.surface, 0, 0, float(3 * cap), 22.0f * k, 4.0f * k, k);
        const std::string name = std::string("skin-") + set.name;
        out.push_back({set.rightId, name + "-right", Slice(button, 2 * cap, cap)});
        out.push_back({set.rightId + 1, name + "-left", Slice(button, 0, cap)});
        out.push_back({set.rightId + 2, name + "-middle", Slice(button, cap, cap)});
    }
}

enum class Face { Normal, Hover, Pressed };

// A face of a bitmap button: a caption, on a pill that appears under the
// mouse and deepens when pressed. `framed` keeps a quiet pill in the normal
// state too, for a button that must read as one at rest.
ArtCanvas DrawFace(int width, int height, const std::string& caption, float capHeight, Face face, bool framed, int k) {
    ArtCanvas canvas = MakeCanvas(width * k, height * k, kBackground);
    const float w = float(width * k), h = float(height * k), radius = h / 2;
    if (face == Face::Hover) DrawSurface(canvas, kHover, 0, 0, w, h, radius, k);
    if (face == Face::Pressed) DrawSurface(canvas, kPressed, 0, 0, w, h, radius, k);
    if (face == Face::Normal && framed) DrawSurface(canvas, kNormal, 0, 0, w, h, radius, k);
    const TextStyle style = {capHeight * k, 1.35f * k, 0.35f * k, face == Face::Normal ? kInk : kAccentInk};
    const float x = std::round((w - MeasureText(caption, style)) / 2);
    const float baseline = std::round((h + capHeight * k) / 2) + (face == Face::Pressed ? k : 0);
    DrawText(canvas, caption, x, baseline, style);
    return canvas;
}

void DrawFaces(int k, std::vector<Picture>& out) {
    out.push_back({136, "about-normal", DrawFace(195, 18, "About LumericII", 9, Face::Normal, false, k)});
    out.push_back({137, "about-pressed", DrawFace(195, 18, "About LumericII", 9, Face::Pressed, false, k)});
    out.push_back({138, "about-hover", DrawFace(195, 18, "About LumericII", 9, Face::Hover, false, k)});
    out.push_back({162, "help-pressed", DrawFace(40, 19, "Help", 8, Face::Pressed, true, k)});
    out.push_back({163, "help-normal", DrawFace(40, 19, "Help", 8, Face::Normal, true, k)});
    out.push_back({164, "help-hover", DrawFace(40, 19, "Help", 8, Face::Hover, true, k)});
}

// The emblem: a small engraving of a lit sphere, wavy lines thickening
// toward the shadow, inside a ring.
void DrawEmblem(ArtCanvas& canvas, float cx, float cy, float r, int k) {
    const float spacing = 3.0f * k;
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y) {
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            const float px = x + 0.5f - cx, py = y + 0.5f - cy;
            const float inside = r - 1.5f * k - std::hypot(px, py);
            if (inside <= -1.0f) continue;
            const float wave = py + 0.9f * k * std::sin(px / (2.2f * k));
            const float line = wave / spacing - std::floor(wave / spacing);
            const float distance = std::fabs(line - 0.5f) * spacing;
            // Light from the upper left: thin lines there, thick ones opposite.
            const float shade = 0.5f + 0.5f * (px + py) / (1.5f * r);
            const float thickness = (0.35f + 1.9f * shade * shade) * k;
            const float coverage = std::fmin(thickness * 0.5f + 0.5f - distance, 1.0f);
            Blend(canvas, x, y, kInk, coverage * std::fmin(inside + 0.5f, 1.0f));
        }
    }
    for (float a = 0; a < 360.0f; a += 0.5f) {
        const float t = a * 3.14159265f / 180.0f, u = (a + 0.5f) * 3.14159265f / 180.0f;
        StrokeSegment(canvas, cx + r * std::cos(t), cy + r * std::sin(t), cx + r * std::cos(u), cy + r * std::sin(u),
                      1.2f * k, kAccent);
    }
}

// The banner across the dialog's top. The About and help buttons sit on its
// plain background (at 109..304 and 505..545), so it holds only the emblem,
// an accent line above and a separator below. Wider than the dialog; the
// picture control shows what fits.
ArtCanvas DrawBanner(int k) {
    ArtCanvas canvas = MakeCanvas(640 * k, 45 * k, kBackground);
    for (int y = 0; y < 2 * k; ++y)
        for (int x = 0; x < canvas.width; ++x) Blend(canvas, x, y, kAccent, 1.0f);
    for (int y = 44 * k; y < 45 * k; ++y)
        for (int x = 0; x < canvas.width; ++x) Blend(canvas, x, y, Grey(204), 1.0f);
    DrawEmblem(canvas, 40.0f * k, 23.5f * k, 16.0f * k, k);
    return canvas;
}

// The checkerboard toggle: cells of the transparency checkerboard when the
// toggle can be used, a washed-out version when it cannot.
ArtCanvas DrawChecker(bool enabled, int k) {
    ArtCanvas canvas = MakeCanvas(12 * k, 12 * k, kBackground);
    const Rgb light = enabled ? kWhite : Grey(240), dark = enabled ? Grey(140) : Grey(214);
    for (int y = k; y < 11 * k; ++y)
        for (int x = k; x < 11 * k; ++x) Blend(canvas, x, y, ((x - k) / (5 * k) + (y - k) / (5 * k)) % 2 ? dark : light, 1.0f);
    StrokeRoundRect(canvas, 0, 0, 12.0f * k, 12.0f * k, 1.5f * k, float(k), enabled ? Grey(96) : Grey(186));
    return canvas;
}

}  // namespace

std::vector<IconImage> DrawModuleIcon() {
    std::vector<IconImage> images;
    for (int size : {16, 32, 48, 256}) {
        // The emblem on a white disc; outside the disc the icon is clear.
        const int k = size >= 48 ? size / 32 : 1;
        IconImage image{MakeCanvas(size, size, Grey(255)), std::vector<float>(size_t(size) * size, 0.0f)};
        const float c = size * 0.5f, r = size * 0.5f - 0.5f;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                image.alpha[size_t(y) * size + x] = std::fmin(std::fmax(r - std::hypot(x + 0.5f - c, y + 0.5f - c) + 0.5f, 0.0f), 1.0f);
        DrawEmblem(image.canvas, c, c, r - 0.6f * k, k);
        images.push_back(std::move(image));
    }
    return images;
}

std::vector<Picture> DrawArtwork(int scale) {
    std::vector<Picture> out;
    out.push_back({115, "checker-on", DrawChecker(true, scale)});
    out.push_back({116, "checker-off", DrawChecker(false, scale)});
    out.push_back({117, "banner", DrawBanner(scale)});
    DrawSkins(scale, out);
    DrawFaces(scale, out);
    return out;
}
