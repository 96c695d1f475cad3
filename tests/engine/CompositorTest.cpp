// Compositing: paper values, the exact scaling products, and rows of the
// pre-fill, ink and coverage tables on single pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/Compositor.h"

namespace {

TEST(Compositor, PaperValues) {
    EXPECT_EQ(PaperValue(0, false, false), 255u);
    EXPECT_EQ(PaperValue(15, false, false), 0u);
    EXPECT_EQ(PaperValue(8, false, false), 119u);
    EXPECT_EQ(PaperValue(1, true, true), 2184u);
    EXPECT_EQ(PaperValue(2, true, true), 4369u);
    EXPECT_EQ(PaperValue(15, true, true), 32768u);
    EXPECT_EQ(PaperValue(0, false, true), 32768u);
}

TEST(Compositor, EightBitScalingIsFloorOfProductOver255ForAllPairs) {
    for (uint32_t v = 0; v < 256; ++v)
        for (uint32_t k = 0; k < 256; ++k) ASSERT_EQ(ScaleSample(v, k, false), v * k / 255) << v << " " << k;
    EXPECT_EQ(ScaleSample(255, 255, false), 255u);
}

TEST(Compositor, SixteenBitScalingIsFloorOfProductOver32768) {
    for (uint32_t v = 0; v <= 32768; v += 97)
        for (uint32_t k = 0; k <= 32768; k += 89) ASSERT_EQ(ScaleSample(v, k, true), v * k / 32768);
    EXPECT_EQ(ScaleSample(32768, 32768, true), 32768u);
    EXPECT_EQ(ScaleSample(32767, 1, true), 0u);
}

// One pixel of `planes` samples, 8 bits.
struct OnePixel {
    std::vector<uint8_t> out, src;
    PixelRegion Region(int planes) {
        return PixelRegion{out.data(), planes, src.data(), planes, 1, 1, planes, false};
    }
};

std::vector<uint8_t> Prefill(std::vector<uint8_t> src, std::vector<uint8_t> out, CompositeSwitches sw, bool aa) {
    OnePixel p{out, src};
    PreFillOutput(p.Region(int(src.size())), sw, aa);
    return p.out;
}

TEST(Compositor, PreFillRows) {
    const std::vector<uint8_t> src = {10, 20, 30, 40, 50}, out = {9, 9, 9, 9, 9};
    EXPECT_EQ(Prefill(src, out, {0, false, false, false}, true), src);
    EXPECT_EQ(Prefill(src, out, {2, false, false, false}, true), (std::vector<uint8_t>{255, 255, 255, 40, 9}));
    EXPECT_EQ(Prefill(src, out, {1, true, true, false}, true), (std::vector<uint8_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Prefill(src, out, {1, true, true, true}, false), (std::vector<uint8_t>{0, 0, 0, 255, 50}));
    EXPECT_EQ(Prefill(src, out, {1, true, true, false}, false), (std::vector<uint8_t>{0, 0, 0, 255, 9}));
    EXPECT_EQ(Prefill(src, out, {1, true, false, false}, false), (std::vector<uint8_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Prefill(src, out, {1, true, false, true}, false), (std::vector<uint8_t>{0, 0, 0, 0, 50}));
    EXPECT_EQ(Prefill({1, 2, 3, 4}, {9, 9, 9, 9}, {1, true, false, true}, false), (std::vector<uint8_t>{0, 0, 0, 255}));
    EXPECT_EQ(Prefill({1, 2, 3}, {9, 9, 9}, {7, false, false, false}, true), (std::vector<uint8_t>{1, 2, 3}));
}

std::vector<uint8_t> Ink(std::vector<uint8_t> src, std::vector<uint8_t> out, CompositeSwitches sw, int channel) {
    OnePixel p{out, src};
    PutInkPixel(0, 0, p.Region(int(src.size())), sw, channel);
    PutInkPixel(0, 0, p.Region(int(src.size())), sw, channel);  // stamping twice changes nothing
    return p.out;
}

TEST(Compositor, InkRows) {
    const std::vector<uint8_t> src = {10, 20, 30, 40, 50};
    const std::vector<uint8_t> out = {100, 110, 120, 130, 140};
    EXPECT_EQ(Ink(src, out, {2, false, false, false}, 0), (std::vector<uint8_t>{0, 0, 0, 0, 140}));
    EXPECT_EQ(Ink(src, out, {1, false, false, false}, 0), (std::vector<uint8_t>{0, 110, 120, 0, 140}));
    EXPECT_EQ(Ink(src, out, {1, false, false, false}, 1), (std::vector<uint8_t>{100, 0, 120, 100, 140}));
    EXPECT_EQ(Ink(src, out, {1, false, false, false}, 2), (std::vector<uint8_t>{100, 110, 0, 110, 140}));
    EXPECT_EQ(Ink(src, out, {0, true, false, false}, 0), (std::vector<uint8_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(Ink(src, out, {1, true, false, false}, 2), (std::vector<uint8_t>{100, 110, 255, 40, 50}));
    EXPECT_EQ(Ink(src, out, {2, true, false, false}, 0), (std::vector<uint8_t>{255, 255, 255, 255, 255}));
    // Alpha steps.
    EXPECT_EQ(Ink(src, out, {2, false, true, false}, 0), (std::vector<uint8_t>{0, 0, 0, 255, 140}));
    EXPECT_EQ(Ink(src, out, {2, false, true, true}, 0), (std::vector<uint8_t>{0, 0, 0, 255, 255}));
    EXPECT_EQ(Ink(src, out, {2, false, false, true}, 0), (std::vector<uint8_t>{0, 0, 0, 0, 140}));
    EXPECT_EQ(Ink({1, 2, 3, 4}, {5, 6, 7, 8}, {2, false, false, true}, 0), (std::vector<uint8_t>{0, 0, 0, 255}));
    EXPECT_EQ(Ink({1, 2, 3}, {5, 6, 7}, {2, false, true, false}, 0), (std::vector<uint8_t>{0, 0, 0}));
}

TEST(Compositor, InkOutsideTheRegionIsIgnored) {
    std::vector<uint8_t> out(3 * 2 * 2, 7), src(out.size(), 1);
    PixelRegion px{out.data(), 6, src.data(), 6, 2, 2, 3, false};
    for (auto rc : {std::pair<int, int>{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) PutInkPixel(rc.first, rc.second, px, {2, false, false, false}, 0);
    EXPECT_EQ(out, std::vector<uint8_t>(12, 7));
}

std::vector<uint8_t> Cover(std::vector<uint8_t> src, std::vector<uint8_t> out, int cov, CompositeSwitches sw,
                           int channel) {
    OnePixel p{out, src};
    uint8_t coverage = uint8_t(cov);
    CompositeCoverage(p.Region(int(src.size())), &coverage, 1, sw, channel);
    return p.out;
}

TEST(Compositor, CoverageRows) {
    // cov 8: k = 119.
    EXPECT_EQ(Cover({1, 2, 3}, {255, 255, 255}, 8, {2, false, false, false}, 0), (std::vector<uint8_t>{119, 119, 119}));
    EXPECT_EQ(Cover({1, 2, 3}, {255, 255, 255}, 15, {2, false, false, false}, 0), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(Cover({1, 2, 3}, {0, 0, 0}, 6, {2, true, false, false}, 0), (std::vector<uint8_t>{102, 102, 102}));
    EXPECT_EQ(Cover({100, 200, 50}, {0, 0, 0}, 0, {0, true, false, false}, 0), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(Cover({100, 200, 50}, {0, 0, 0}, 15, {0, true, false, false}, 0), (std::vector<uint8_t>{100, 200, 50}));
    EXPECT_EQ(Cover({1, 2, 3}, {200, 200, 200}, 8, {1, false, false, false}, 1), (std::vector<uint8_t>{200, 93, 200}));
    EXPECT_EQ(Cover({1, 2, 3}, {0, 0, 0}, 8, {1, true, false, false}, 2), (std::vector<uint8_t>{0, 0, 136}));
    // RGBA, no invert: ink lowers alpha, colour stays; Fill alpha flattens onto black.
    EXPECT_EQ(Cover({9, 9, 9, 200}, {100, 150, 250, 200}, 8, {2, false, false, false}, 0),
              (std::vector<uint8_t>{100, 150, 250, 119}));
    EXPECT_EQ(Cover({9, 9, 9, 200}, {100, 150, 250, 200}, 8, {2, false, true, false}, 0),
              (std::vector<uint8_t>{46, 70, 116, 255}));
    // Split colour with alpha: the channel becomes k, alpha min(src alpha, m).
    EXPECT_EQ(Cover({9, 9, 9, 200}, {30, 150, 250, 90}, 8, {1, false, false, false}, 2),
              (std::vector<uint8_t>{30, 150, 119, 150}));
    EXPECT_EQ(Cover({9, 9, 9, 100}, {30, 150, 250, 90}, 8, {1, true, false, false}, 0),
              (std::vector<uint8_t>{136, 150, 250, 100}));
    EXPECT_EQ(Cover({9, 9, 9, 100}, {30, 150, 250, 90}, 8, {2, true, false, false}, 0),
              (std::vector<uint8_t>{255, 255, 255, 100}));
    // CMYK with its own alpha sample: the computed alpha moves to sample 4.
    EXPECT_EQ(Cover({9, 9, 9, 200, 33}, {100, 150, 250, 200, 77}, 8, {2, false, false, true}, 0),
              (std::vector<uint8_t>{100, 150, 250, 119, 119}));
    EXPECT_EQ(Cover({9, 9, 9, 200, 33}, {100, 150, 250, 200, 77}, 8, {2, false, true, true}, 0),
              (std::vector<uint8_t>{46, 70, 116, 255, 255}));
    EXPECT_EQ(Cover({9, 9, 9, 200}, {100, 150, 250, 200}, 8, {2, false, false, true}, 0),
              (std::vector<uint8_t>{46, 70, 116, 255}));
}

TEST(Compositor, SixteenBitCoverage) {
    std::vector<uint16_t> out = {32768, 32768, 32768}, src = {1, 2, 3};
    uint8_t coverage = 1;
    PixelRegion px{out.data(), 3, src.data(), 3, 1, 1, 3, true};
    CompositeCoverage(px, &coverage, 1, {2, true, false, false}, 0);
    EXPECT_EQ(out, (std::vector<uint16_t>{2184, 2184, 2184}));
    out = {32768, 32768, 32768};
    coverage = 0;
    CompositeCoverage(px, &coverage, 1, {2, false, false, false}, 0);
    EXPECT_EQ(out, (std::vector<uint16_t>{32768, 32768, 32768}));
}

TEST(Compositor, OddWidthLeavesTheLastHighNibbleUnused) {
    // Three pixels and a guard pixel behind the row: the high nibble of byte 1
    // belongs to a pixel outside the region.
    std::vector<uint8_t> out(3 * 4, 255), src(3 * 4, 0);
    std::vector<uint8_t> coverage = {0xF0, 0xF8};
    PixelRegion px{out.data(), 12, src.data(), 12, 3, 1, 3, false};
    CompositeCoverage(px, coverage.data(), 2, {2, false, false, false}, 0);
    EXPECT_EQ(out, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 119, 119, 119, 255, 255, 255}));
}

}  // namespace
