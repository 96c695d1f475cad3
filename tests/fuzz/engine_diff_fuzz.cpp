// Fuzzes the fast render against the reference render: a small picture
// and a parameter record of arbitrary bytes (NaN, infinities and huge
// values included) go through both, which must give the same bytes, at a
// thread count and region the input picks. Input layout: width and planes,
// height, a flags byte (densification, a region or the whole image, depth,
// CMYK, selection, threads), the settings record's bytes, then bytes that
// seed the pixels and the selection.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/Engrave.h"

namespace {

constexpr size_t kHeader = 3 + sizeof(EngraveSettings);

struct Render {
    std::vector<uint8_t> out, subpixels, coverage;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader || size > 4096) return 0;
    // Tall enough for several bands (a band has at least 48 rows), narrow to stay quick.
    const int width = 1 + data[0] % 12, height = 1 + data[1] % 100;
    const uint8_t flags = data[2];
    const int planes = 3 + (data[0] >> 4) % 3, depth = flags & 4 ? 16 : 8, threads = 1 + (flags >> 5);
    const bool cmyk = planes >= 4 && (flags & 8), masked = flags & 16;
    EngraveSettings settings;
    std::memcpy(&settings, data + 3, sizeof settings);
    // Finite values that only multiply the work (denser or wider strokes,
    // more lines for the waves' swing, rings around a far centre) are held where both renders stay
    // within the fuzzer's time limit; NaN and infinities pass as they are.
    // The engine's own limits for huge values are PropertyTest's concern.
    const auto hold = [](float* v, float lo, float hi) {
        if (*v < lo) *v = lo;
        if (*v > hi) *v = hi;
    };
    hold(&settings.space, 16.0f, 1e4f);
    hold(&settings.width, -100.0f, 100.0f);
    hold(&settings.threshold, -100.0f, 100.0f);
    hold(&settings.amplitude, -64.0f, 64.0f);
    hold(&settings.centerX, -500.0f, 500.0f);  // a far centre: more and longer rings
    hold(&settings.centerY, -500.0f, 500.0f);
    const uint8_t* seed = data + kHeader;
    const size_t seedSize = size - kHeader;

    const size_t sampleBytes = depth == 16 ? 2 : 1, samples = size_t(width) * height * planes;
    std::vector<uint8_t> source(samples * sampleBytes);
    for (size_t i = 0; i < samples; ++i) {
        const uint32_t v = seedSize ? seed[i % seedSize] ^ uint32_t(i * 37) : uint32_t(i * 37);
        if (depth == 16) {
            const uint16_t s = uint16_t((v & 0xFF) * 129);  // up to 32895: out-of-scale values too
            std::memcpy(&source[i * 2], &s, 2);
        } else {
            source[i] = uint8_t(v);
        }
    }
    std::vector<uint8_t> mask(size_t(width) * height);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = seedSize && (seed[i % seedSize] & 1) ? 0 : uint8_t(i * 11);
    const MaskView maskView =
        masked ? MaskView{mask.data(), width, 0, 0, width, height} : MaskView{nullptr, 0, 0, 0, 0, 0};

    // A part of the image, as a preview pane or a host's chunk asks for it.
    const EngraveRegion region = flags & 2 ? EngraveRegion{width, height, width / 4, height / 4, (width + 1) / 2,
                                                           (height + 1) / 2}
                                           : EngraveRegion{width, height, 0, 0, width, height};
    Render renders[2];
    for (int r = 0; r < 2; ++r) {
        Render& d = renders[r];
        d.out.assign(size_t(region.width) * region.height * planes * sampleBytes, 0x5A);
        d.subpixels.assign(SubpixelRasterBytes(region.width, region.height), 0xA5);
        d.coverage.assign(CoverageRasterBytes(region.width, region.height), 0x3C);
        EngraveImage image{planes, depth, cmyk, SampleWindow{source.data(), width * planes, 0, 0, width, height},
                           d.out.data(), region.width * planes};
        RenderOptions options;
        options.threads = threads;
        options.densifyRelief = (flags & 1) != 0;
        (r == 0 ? EngraveRenderReference : EngraveRender)(settings, region, image, maskView, options,
                                                          EngraveScratch{d.subpixels.data(), d.coverage.data()},
                                                          EngraveProgress{});
    }
    if (renders[0].out != renders[1].out) std::abort();
    return 0;
}
