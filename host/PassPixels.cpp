#include "host/PassPixels.h"

#include <cstring>
#include <memory>
#include <new>

#include "host/ColorSuite.h"

namespace {

template <typename T>
constexpr T FullScale() {
    return sizeof(T) == 2 ? T(32768) : T(255);
}

template <typename T>
const T* InputPixel(const PassLayout& L, int imageX, int imageY) {
    return reinterpret_cast<const T*>(L.in) + int64_t(imageY - L.inTop) * L.inStride +
           int64_t(imageX - L.inLeft) * L.planes;
}

template <typename T>
T* OutputPixel(const PassLayout& L, int x, int y) {
    return reinterpret_cast<T*>(L.out) + int64_t(y) * L.outStride + int64_t(x) * L.planes;
}

bool Convert(const PSColorSpaceSuite1* suite, int16_t from, int16_t to, uint8_t* colors, int count) {
    return ConvertColors8(suite, from, to, reinterpret_cast<Color8*>(colors), count);
}
bool Convert(const PSColorSpaceSuite1* suite, int16_t from, int16_t to, uint16_t* colors, int count) {
    return ConvertColors16(suite, from, to, reinterpret_cast<Color16*>(colors), count);
}

template <typename T>
bool FillCopy(const PassLayout& L, T* copy, const PSColorSpaceSuite1* suite) {
    const int w = L.windowWidth;
    const int planes = L.planes;
    std::unique_ptr<T[]> row(L.cmyk ? new (std::nothrow) T[size_t(w) * 4] : nullptr);
    if (L.cmyk && !row) return false;
    for (int y = 0; y < L.windowHeight; ++y) {
        const T* src = InputPixel<T>(L, L.windowLeft, L.windowTop + y);
        T* dst = copy + int64_t(y) * w * planes;
        if (!L.cmyk) {
            for (int x = 0; x < w; ++x, src += planes, dst += planes) {
                dst[0] = src[0];
                dst[1] = src[1];
                dst[2] = src[2];
                if (planes > 3) dst[3] = src[3];
                if (planes > 4) dst[4] = src[4];
            }
            continue;
        }
        for (int x = 0; x < w; ++x) {
            std::memcpy(&row[size_t(x) * 4], src + int64_t(x) * planes, 4 * sizeof(T));
            dst[int64_t(x) * planes + 3] = planes >= 5 ? src[int64_t(x) * planes + 4] : FullScale<T>();
        }
        if (!Convert(suite, plugIncolorServicesCMYKSpace, plugIncolorServicesRGBSpace, row.get(), w)) return false;
        for (int x = 0; x < w; ++x) {
            dst[int64_t(x) * planes + 0] = row[size_t(x) * 4 + 1];
            dst[int64_t(x) * planes + 1] = row[size_t(x) * 4 + 2];
            dst[int64_t(x) * planes + 2] = row[size_t(x) * 4 + 3];
        }
    }
    return true;
}

template <typename T>
bool ToCmyk(const PassLayout& L, const PSColorSpaceSuite1* suite) {
    const int w = L.region.width;
    const int planes = L.planes;
    std::unique_ptr<T[]> row(new (std::nothrow) T[size_t(w) * 4]);
    if (!row) return false;
    for (int y = 0; y < L.region.height; ++y) {
        T* out = OutputPixel<T>(L, 0, y);
        for (int x = 0; x < w; ++x) {
            T* p = out + int64_t(x) * planes;
            row[size_t(x) * 4 + 0] = FullScale<T>();
            row[size_t(x) * 4 + 1] = p[0];
            row[size_t(x) * 4 + 2] = p[1];
            row[size_t(x) * 4 + 3] = p[2];
            if (planes > 4) p[4] = p[3];
        }
        if (!Convert(suite, plugIncolorServicesRGBSpace, plugIncolorServicesCMYKSpace, row.get(), w)) return false;
        for (int x = 0; x < w; ++x) std::memcpy(out + int64_t(x) * planes, &row[size_t(x) * 4], 4 * sizeof(T));
    }
    return true;
}

template <typename T>
void Restore(const PassLayout& L) {
    for (int y = 0; y < L.region.height; ++y)
        std::memcpy(OutputPixel<T>(L, 0, y), InputPixel<T>(L, L.region.left, L.region.top + y),
                    size_t(L.region.width) * L.planes * sizeof(T));
}

template <typename T>
void Blend(const PassLayout& L) {
    const MaskView& mask = L.mask;
    const int planes = L.planes;
    const float full = float(FullScale<T>());
    // Blend with the original input, so that an unselected pixel keeps every
    // one of its samples exactly and a partly selected one mixes within one
    // colour space (the copy of a CMYK image holds RGB).
    for (int y = 0; y < L.region.height; ++y) {
        for (int x = 0; x < L.region.width; ++x) {
            const int mx = L.region.left + x - mask.left, my = L.region.top + y - mask.top;
            const bool inside = mx >= 0 && my >= 0 && mx < mask.width && my < mask.height;
            const uint8_t m = inside ? mask.data[int64_t(my) * mask.rowBytes + mx] : 0;
            if (m == 255) continue;
            T* out = OutputPixel<T>(L, x, y);
            const T* before = InputPixel<T>(L, L.region.left + x, L.region.top + y);
            if (m == 0) {
                std::memcpy(out, before, size_t(planes) * sizeof(T));
                continue;
            }
            const float a = float(m) * 0.003921569f;
            for (int p = 0; p < planes; ++p) {
                float v = float(before[p]) * (1.0f - a) + float(out[p]) * a;
                if (v > full) v = full;
                out[p] = T(v);
            }
        }
    }
}

}  // namespace

bool FillSourceCopy(const PassLayout& layout, void* copy, const PSColorSpaceSuite1* suite) {
    return layout.bytesPerSample == 2 ? FillCopy(layout, static_cast<uint16_t*>(copy), suite)
                                      : FillCopy(layout, static_cast<uint8_t*>(copy), suite);
}

bool ConvertOutputToCmyk(const PassLayout& layout, const PSColorSpaceSuite1* suite) {
    return layout.bytesPerSample == 2 ? ToCmyk<uint16_t>(layout, suite) : ToCmyk<uint8_t>(layout, suite);
}

void RestoreOutputFromInput(const PassLayout& layout) {
    if (layout.bytesPerSample == 2)
        Restore<uint16_t>(layout);
    else
        Restore<uint8_t>(layout);
}

void BlendWithSelection(const PassLayout& layout) {
    if (!layout.mask.data) return;
    if (layout.bytesPerSample == 2)
        Blend<uint16_t>(layout);
    else
        Blend<uint8_t>(layout);
}
