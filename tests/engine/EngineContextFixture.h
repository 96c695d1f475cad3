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
    std::vector<std::pair<float, float>> progress;

    ContextFixture(const EngraveSettings& params, Picture picture, bool densifyRelief = true, bool withMask = false)
        : source(std::move(picture)), out(source) {
        subpixels.assign(SubpixelRasterBytes(source.width, source.height), 0);
        coverage.assign(CoverageRasterBytes(source.width, source.height), 0);
        mask.assign(size_t(source.width) * source.height, 255);
        EngraveRegion region{source.width, source.height, 0, 0, source.width, source.height};
        EngraveImage image{};
        image.planes = source.planes;
        image.depth = source.depth;
        image.source = SampleWindow{source.bytes.data(), source.RowStride(), 0, 0, source.width, source.height};
        image.out = out.bytes.data();
        image.outRowStride = source.RowStride();
        MaskView m{};
        if (withMask) m = MaskView{mask.data(), source.width, 0, 0, source.width, source.height};
        EngraveProgress p{[](void* ctx, float done, float total) {
                              static_cast<ContextFixture*>(ctx)->progress.push_back({done, total});
                          },
                          this};
        initialised = InitRenderContext(&c, params, region, image, m, RenderOptions{densifyRelief},
                                        EngraveScratch{subpixels.data(), coverage.data()}, p);
    }
    ContextFixture(const ContextFixture&) = delete;
    ContextFixture& operator=(const ContextFixture&) = delete;

    // Draws consumed so far, found by matching the generator's state.
    uint64_t DrawsSoFar() {
        Lcg probe = c.rng;
        uint32_t target = LcgAdvance(probe.state, probe.pending);
        uint32_t s = 0;
        for (uint64_t n = 0; n < 50000000; ++n) {
            if (s == target) return n;
            s = s * kLcgMultiplier + kLcgIncrement;
        }
        return ~uint64_t(0);
    }
    int SetSubpixels() const {
        int n = 0;
        for (uint8_t b : subpixels) n += __builtin_popcount(b);
        return n;
    }
    bool initialised = false;
};
