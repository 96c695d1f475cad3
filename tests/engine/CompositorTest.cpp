// Compositing: the exact scaling products, and rows of the pre-fill, ink
// and coverage tables on single pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/Compositor.h"

namespace {

using Samples = std::vector<uint8_t>;

TEST(Compositor, ScalingIsTheTruncatedProduct) {
    for (uint32_t v = 0; v < 256; ++v)
        for (uint32_t k = 0; k < 256; ++k) ASSERT_EQ(ScaleSample(v, k, false), v * k / 255) << v << " " << k;
    EXPECT_EQ(ScaleSample(32768, 32768, true), 32768u);
    EXPECT_EQ(ScaleSample(32767, 1, true), 0u);
    EXPECT_EQ(ScaleSample(32767, 32767, true), 32766u);
}

// One 8-bit pixel of as many samples as `src` has.
PixelRegion OnePixel(const Samples& src, Samples* out) {
    const int planes = int(src.size());
    return PixelRegion{out->data(), planes, src.data(), planes, 1, 1, planes, false};
}

Samples Prefill(const Samples& src, Samples out, CompositeSwitches sw, bool antialiased) {
    PreFillOutput(OnePixel(src, &out), sw, antialiased);
    return out;
}

TEST(Compositor, PreFillRows) {
    const Samples src = {10, 20, 30, 40, 50}, out = {9, 9, 9, 9, 9};
    EXPECT_EQ(Prefill(src, out, {0, false, false, false}, true), src);
    EXPECT_EQ(Prefill(src, out, {2, false, false, false}, true), (Samples{255, 255, 255, 40, 9}));
    EXPECT_EQ(Prefill(src, out, {1, true, true, false}, true), (Samples{0, 0, 0, 0, 0}));
    EXPECT_EQ(Prefill(src, out, {1, true, true, true}, false), (Samples{0, 0, 0, 255, 50}));
    EXPECT_EQ(Prefill(src, out, {1, true, true, false}, false), (Samples{0, 0, 0, 255, 9}));
    EXPECT_EQ(Prefill(src, out, {1, true, false, false}, false), (Samples{0, 0, 0, 0, 0}));
    EXPECT_EQ(Prefill(src, out, {1, true, false, true}, false), (Samples{0, 0, 0, 0, 50}));
    EXPECT_EQ(Prefill({1, 2, 3, 4}, {9, 9, 9, 9}, {1, true, false, true}, false), (Samples{0, 0, 0, 255}));
    EXPECT_EQ(Prefill({1, 2, 3}, {9, 9, 9}, {7, false, false, false}, true), (Samples{1, 2, 3}));
}

Samples Ink(const Samples& src, Samples out, CompositeSwitches sw, int channel) {
    PutInkPixel(0, 0, OnePixel(src, &out), sw, channel);
    PutInkPixel(0, 0, OnePixel(src, &out), sw, channel);  // stamping twice changes nothing
    return out;
}

TEST(Compositor, InkRows) {
    const Samples src = {10, 20, 30, 40, 50}, out = {100, 110, 120, 130, 140};
    EXPECT_EQ(Ink(src, out, {2, false, false, false}, 0), (Samples{0, 0, 0, 0, 140}));
    EXPECT_EQ(Ink(src, out, {1, false, false, false}, 0), (Samples{0, 110, 120, 0, 140}));
    EXPECT_EQ(Ink(src, out, {1, false, false, false}, 1), (Samples{100, 0, 120, 100, 140}));
    EXPECT_EQ(Ink(src, out, {1, false, false, false}, 2), (Samples{100, 110, 0, 110, 140}));
    EXPECT_EQ(Ink(src, out, {0, true, false, false}, 0), (Samples{10, 20, 30, 40, 50}));
    EXPECT_EQ(Ink(src, out, {1, true, false, false}, 2), (Samples{100, 110, 255, 40, 50}));
    EXPECT_EQ(Ink(src, out, {2, true, false, false}, 0), (Samples{255, 255, 255, 255, 255}));
    // Alpha steps.
    EXPECT_EQ(Ink(src, out, {2, false, true, false}, 0), (Samples{0, 0, 0, 255, 140}));
    EXPECT_EQ(Ink(src, out, {2, false, true, true}, 0), (Samples{0, 0, 0, 255, 255}));
    EXPECT_EQ(Ink(src, out, {2, false, false, true}, 0), (Samples{0, 0, 0, 0, 140}));
    EXPECT_EQ(Ink({1, 2, 3, 4}, {5, 6, 7, 8}, {2, false, false, true}, 0), (Samples{0, 0, 0, 255}));
    EXPECT_EQ(Ink({1, 2, 3}, {5, 6, 7}, {2, false, true, false}, 0), (Samples{0, 0, 0}));
}

Samples Cover(const Samples& src, Samples out, int cov, CompositeSwitches sw, int channel) {
    const uint8_t coverage = uint8_t(cov);
    CompositeCoverage(OnePixel(src, &out), &coverage, 1, sw, channel);
    return out;
}

TEST(Compositor, CoverageRows) {
    // cov 8: k = 119.
    EXPECT_EQ(Cover({1, 2, 3}, {255, 255, 255}, 8, {2, false, false, false}, 0), (Samples{119, 119, 119}));
    EXPECT_EQ(Cover({1, 2, 3}, {255, 255, 255}, 15, {2, false, false, false}, 0), (Samples{0, 0, 0}));
    EXPECT_EQ(Cover({1, 2, 3}, {0, 0, 0}, 6, {2, true, false, false}, 0), (Samples{102, 102, 102}));
    EXPECT_EQ(Cover({100, 200, 50}, {0, 0, 0}, 0, {0, true, false, false}, 0), (Samples{0, 0, 0}));
    EXPECT_EQ(Cover({100, 200, 50}, {0, 0, 0}, 15, {0, true, false, false}, 0), (Samples{100, 200, 50}));
    EXPECT_EQ(Cover({1, 2, 3}, {200, 200, 200}, 8, {1, false, false, false}, 1), (Samples{200, 93, 200}));
    EXPECT_EQ(Cover({1, 2, 3}, {0, 0, 0}, 8, {1, true, false, false}, 2), (Samples{0, 0, 136}));
    // RGBA, no invert: ink lowers alpha, colour stays; Fill alpha flattens onto black.
    EXPECT_EQ(Cover({9, 9, 9, 200}, {100, 150, 250, 200}, 8, {2, false, false, false}, 0),
              (Samples{100, 150, 250, 119}));
    EXPECT_EQ(Cover({9, 9, 9, 200}, {100, 150, 250, 200}, 8, {2, false, true, false}, 0), (Samples{46, 70, 116, 255}));
    // Split colour with alpha: the channel becomes k, alpha min(src alpha, m).
    EXPECT_EQ(Cover({9, 9, 9, 200}, {30, 150, 250, 90}, 8, {1, false, false, false}, 2), (Samples{30, 150, 119, 150}));
    EXPECT_EQ(Cover({9, 9, 9, 100}, {30, 150, 250, 90}, 8, {1, true, false, false}, 0), (Samples{136, 150, 250, 100}));
    EXPECT_EQ(Cover({9, 9, 9, 100}, {30, 150, 250, 90}, 8, {2, true, false, false}, 0), (Samples{255, 255, 255, 100}));
    // CMYK with its own alpha sample: the computed alpha moves to sample 4.
    EXPECT_EQ(Cover({9, 9, 9, 200, 33}, {100, 150, 250, 200, 77}, 8, {2, false, false, true}, 0),
              (Samples{100, 150, 250, 119, 119}));
    EXPECT_EQ(Cover({9, 9, 9, 200, 33}, {100, 150, 250, 200, 77}, 8, {2, false, true, true}, 0),
              (Samples{46, 70, 116, 255, 255}));
    EXPECT_EQ(Cover({9, 9, 9, 200}, {100, 150, 250, 200}, 8, {2, false, false, true}, 0), (Samples{46, 70, 116, 255}));
}

TEST(Compositor, SixteenBitCoverage) {
    std::vector<uint16_t> out = {32768, 32768, 32768}, src = {1, 2, 3};
    const PixelRegion px{out.data(), 3, src.data(), 3, 1, 1, 3, true};
    for (const auto& c : {std::pair<uint8_t, bool>{1, true}, {0, false}}) {
        std::fill(out.begin(), out.end(), 32768);
        CompositeCoverage(px, &c.first, 1, {2, c.second, false, false}, 0);
        const uint16_t expected = c.second ? 2184 : 32768;  // invert: k of cov 1; bare paper stays
        EXPECT_EQ(out, std::vector<uint16_t>(3, expected));
    }
}

TEST(Compositor, OddWidthLeavesTheLastHighNibbleUnused) {
    // Three pixels and a guard pixel behind the row: the high nibble of byte 1
    // belongs to a pixel outside the region.
    Samples out(3 * 4, 255), src(3 * 4, 0);
    const Samples coverage = {0xF0, 0xF8};
    const PixelRegion px{out.data(), 12, src.data(), 12, 3, 1, 3, false};
    CompositeCoverage(px, coverage.data(), 2, {2, false, false, false}, 0);
    EXPECT_EQ(out, (Samples{255, 255, 255, 0, 0, 0, 119, 119, 119, 255, 255, 255}));
}

}  // namespace
