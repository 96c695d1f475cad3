#include "ArtCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// Signed distance from (px, py) to a rounded rectangle: negative inside.
float RoundRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    const float qx = std::fabs(px - cx) - ((x1 - x0) * 0.5f - r);
    const float qy = std::fabs(py - cy) - ((y1 - y0) * 0.5f - r);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

template <class Coverage>
void Paint(ArtCanvas& canvas, int left, int top, int right, int bottom, Coverage coverage) {
    for (int y = std::max(top, 0); y < std::min(bottom, canvas.height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, canvas.width); ++x) coverage(x, y, x + 0.5f, y + 0.5f);
}

void PutLe(std::vector<unsigned char>& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

ArtCanvas MakeCanvas(int width, int height, Rgb fill) {
    return {width, height, std::vector<Rgb>(size_t(width) * height, fill)};
}

void Blend(ArtCanvas& canvas, int x, int y, Rgb colour, float coverage) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || coverage <= 0.0f) return;
    Rgb& p = canvas.pixels[size_t(y) * canvas.width + x];
    p = Mix(p, colour, Clamp01(coverage));
}

void FillVerticalGradient(ArtCanvas& canvas, float y0, float y1, Rgb top, Rgb bottom) {
    for (int y = 0; y < canvas.height; ++y) {
        const Rgb c = Mix(top, bottom, Clamp01((y + 0.5f - y0) / (y1 - y0)));
        for (int x = 0; x < canvas.width; ++x) canvas.pixels[size_t(y) * canvas.width + x] = c;
    }
}

void FillRoundRect(ArtCanvas& canvas, float x0, float y0, float x1, float y1, float r, Rgb top, Rgb bottom,
                   float opacity) {
    Paint(canvas, int(x0) - 1, int(y0) - 1, int(x1) + 2, int(y1) + 2, [&](int x, int y, float px, float py) {
        const float c = Clamp01(0.5f - RoundRectDistance(px, py, x0, y0, x1, y1, r));
        Blend(canvas, x, y, Mix(top, bottom, Clamp01((py - y0) / (y1 - y0))), c * opacity);
    });
}

void StrokeRoundRect(ArtCanvas& canvas, float x0, float y0, float x1, float y1, float r, float width, Rgb colour,
                     float opacity) {
    Paint(canvas, int(x0) - 1, int(y0) - 1, int(x1) + 2, int(y1) + 2, [&](int x, int y, float px, float py) {
        const float d = RoundRectDistance(px, py, x0, y0, x1, y1, r);
        const float c = Clamp01(0.5f - d) * Clamp01(d + width + 0.5f);
        Blend(canvas, x, y, colour, c * opacity);
    });
}

void FillDisc(ArtCanvas& canvas, float cx, float cy, float r, Rgb colour, float opacity) {
    Paint(canvas, int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2,
          [&](int x, int y, float px, float py) {
              Blend(canvas, x, y, colour, Clamp01(r + 0.5f - std::hypot(px - cx, py - cy)) * opacity);
          });
}

void StrokeSegment(ArtCanvas& canvas, float x0, float y0, float x1, float y1, float width, Rgb colour) {
    const float dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
    const int reach = int(width) + 2;
    Paint(canvas, int(std::min(x0, x1)) - reach, int(std::min(y0, y1)) - reach, int(std::max(x0, x1)) + reach,
          int(std::max(y0, y1)) + reach, [&](int x, int y, float px, float py) {
              const float t = length2 > 0 ? Clamp01(((px - x0) * dx + (py - y0) * dy) / length2) : 0.0f;
              const float d = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
              Blend(canvas, x, y, colour, Clamp01(width * 0.5f + 0.5f - d));
          });
}

ArtCanvas Slice(const ArtCanvas& source, int x, int width) {
    ArtCanvas out = MakeCanvas(width, source.height, Grey(0));
    for (int y = 0; y < source.height; ++y)
        for (int i = 0; i < width; ++i)
            out.pixels[size_t(y) * width + i] = source.pixels[size_t(y) * source.width + x + i];
    return out;
}

std::vector<unsigned char> EncodeBmp(const ArtCanvas& canvas) {
    const unsigned stride = (unsigned(canvas.width) * 3 + 3) & ~3u;
    const unsigned imageSize = stride * unsigned(canvas.height);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, unsigned(canvas.width), 4);
    PutLe(out, unsigned(canvas.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, imageSize, 4);
    PutLe(out, 3780, 4);  // 96 DPI
    PutLe(out, 3780, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            const Rgb& p = canvas.pixels[size_t(y) * canvas.width + x];
            for (float channel : {p.b, p.g, p.r}) out.push_back(static_cast<unsigned char>(std::lround(Clamp01(channel / 255.0f) * 255.0f)));
        }
        for (unsigned pad = unsigned(canvas.width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
