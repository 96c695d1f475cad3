// A render context over a test picture, for exercising the walkers and the
// sampler directly.
#pragma once

#include <vector>

#include "engine/RenderContext.h"
#include "tests/engine/EngraveTestImage.h"

struct ContextFixture {
    Picture source, out;
    std::vector<uint8_t> subpixels, coverage, mask;
    RenderContext c;
    std::vector<std::pair<float, float>> progress;  // (done, total) per report
    bool initialised = false;

    ContextFixture(const EngraveSettings& params, Picture picture, bool densifyRelief = true, bool withMask = false)
        : source(std::move(picture)), out(source), mask(size_t(source.width) * source.height, 255) {
        const int w = source.width, h = source.height;
        subpixels.assign(SubpixelRasterBytes(w, h), 0);
        coverage.assign(CoverageRasterBytes(w, h), 0);
        const EngraveImage image{source.planes, source.depth, false,
                                 SampleWindow{source.bytes.data(), source.RowStride(), 0, 0, w, h}, out.bytes.data(),
                                 source.RowStride()};
        const MaskView m = withMask ? MaskView{mask.data(), w, 0, 0, w, h} : MaskView{};
        const EngraveProgress p{[](void* self, float done, float total) {
                                    static_cast<ContextFixture*>(self)->progress.push_back({done, total});
                                },
                                this};
        const EngraveScratch scratch{subpixels.data(), coverage.data()};
        initialised = InitRenderContext(&c, params, EngraveRegion{w, h, 0, 0, w, h}, image, m,
                                        RenderOptions{densifyRelief}, scratch, p);
    }
    ContextFixture(const ContextFixture&) = delete;
    ContextFixture& operator=(const ContextFixture&) = delete;

    // Draws consumed so far, found by matching the generator's state.
    uint64_t DrawsSoFar() const {
        const uint32_t target = LcgAdvance(c.rng.state, c.rng.pending);
        uint32_t s = 0;
        for (uint64_t n = 0; n < 50000000; ++n, s = s * kLcgMultiplier + kLcgIncrement)
            if (s == target) return n;
        return ~uint64_t(0);
    }
    int SetSubpixels() const {
        int n = 0;
        for (uint8_t b : subpixels) n += __builtin_popcount(b);
        return n;
    }
};
