#include "dialog/PanePictures.h"

#include <algorithm>
#include <cstring>

namespace {

uint8_t Sample(const PictureSource& s, const uint8_t* pixel, int index) {
    if (s.depth == 16) {
        uint16_t v;
        std::memcpy(&v, pixel + 2 * index, 2);
        return SampleTo8(v);
    }
    return pixel[index];
}

// One picture pixel from one source pixel, over the checker colour.
void PutPixel(const PictureSource& s, const uint8_t* pixel, int checker, uint8_t* bgr) {
    uint8_t rgb[3] = {Sample(s, pixel, 0), Sample(s, pixel, 1), Sample(s, pixel, 2)};
    if (s.planes >= 4) {
        const int a = Sample(s, pixel, 3);
        if (a == 0) {
            rgb[0] = rgb[1] = rgb[2] = uint8_t(checker);
        } else if (a < 255) {
            const float f = float(a) * 0.003921569f;
            for (uint8_t& v : rgb) {
                const float mixed = float(v) * f + (1.0f - f) * float(checker);
                v = uint8_t(mixed > 255.0f ? 255.0f : mixed);
            }
        }
    }
    bgr[0] = rgb[2];
    bgr[1] = rgb[1];
    bgr[2] = rgb[0];
}

uint8_t* PictureRow(PanePicture& p, int y) { return p.bgr.data() + size_t(p.height - 1 - y) * p.width * 3; }

bool Drawable(const PictureSource& s) { return s.data && (s.depth == 8 || s.depth == 16) && s.planes >= 3; }

}  // namespace

PanePicture BuildPreviewPicture(const PictureSource& region, int paneWidth, int paneHeight, int panX, int panY,
                                bool checkerboard) {
    PanePicture p;
    const int outW = region.width, outH = region.height;
    p.width = std::max(0, std::min(paneWidth, outW) / 4 * 4);
    p.height = std::max(0, std::min(paneHeight, outH));
    p.offsetX = std::max(0, (paneWidth - outW) >> 1);
    p.offsetY = std::max(0, (paneHeight - outH) >> 1);
    if (panY >= outH - p.height) panY = outH - p.height - 1;
    if (panX >= outW - p.width) panX = outW - p.width - 1;
    panX = std::max(panX, 0);
    panY = std::max(panY, 0);
    p.bgr.assign(size_t(p.width) * p.height * 3, 0);
    if (!Drawable(region)) return p;
    const int bytesPerPixel = region.planes * (region.depth == 16 ? 2 : 1);
    for (int y = 0; y < p.height && panY + y < outH; ++y) {
        const uint8_t* src = region.data + int64_t(panY + y) * region.rowBytes;
        uint8_t* dst = PictureRow(p, y);
        for (int x = 0; x < p.width && x < outW; ++x)
            PutPixel(region, src + int64_t(x) * bytesPerPixel, CheckerColor(panX + x, panY + y, checkerboard),
                     dst + 3 * x);
    }
    return p;
}

NavigatorFit FitNavigator(int imageWidth, int imageHeight, int paneWidth, int paneHeight) {
    NavigatorFit f{};
    if (imageWidth <= 0 || imageHeight <= 0) return f;
    f.scale = std::min({float(paneWidth) / float(imageWidth), float(paneHeight) / float(imageHeight), 1.0f});
    f.height = int(float(imageHeight) * f.scale);
    f.width = int(float(imageWidth) * f.scale) / 4 * 4;
    f.offsetX = std::max(0, (paneWidth - f.width) / 2);
    f.offsetY = std::max(0, (paneHeight - f.height) / 2);
    return f;
}

PanePicture BuildNavigatorPicture(const PictureSource& image, const uint8_t* mask, int64_t maskRowBytes,
                                  int paneWidth, int paneHeight, bool checkerboard) {
    const NavigatorFit fit = FitNavigator(image.width, image.height, paneWidth, paneHeight);
    PanePicture p;
    p.width = fit.width;
    p.height = fit.height;
    p.offsetX = fit.offsetX;
    p.offsetY = fit.offsetY;
    p.bgr.assign(size_t(p.width) * p.height * 3, 0);
    if (!Drawable(image) || fit.scale <= 0.0f) return p;
    const int bytesPerPixel = image.planes * (image.depth == 16 ? 2 : 1);
    for (int y = 0; y < p.height; ++y) {
        const int sy = std::min(int(float(y) / fit.scale), image.height - 1);
        uint8_t* dst = PictureRow(p, y);
        for (int x = 0; x < p.width; ++x) {
            const int sx = std::min(int(float(x) / fit.scale), image.width - 1);
            uint8_t* out = dst + 3 * x;
            PutPixel(image, image.data + int64_t(sy) * image.rowBytes + int64_t(sx) * bytesPerPixel,
                     CheckerColor(x, y, checkerboard), out);
            if (mask && mask[int64_t(sy) * maskRowBytes + sx] != 0)
                for (int c = 0; c < 3; ++c) out[c] = uint8_t(~out[c]);
        }
    }
    return p;
}
