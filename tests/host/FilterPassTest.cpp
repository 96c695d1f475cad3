// The filter pass through the selector flow: modes, CMYK through the host's
// colour suite, the selection blend, memory failure, progress, and split
// runs that must equal a one-chunk run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/Engrave.h"
#include "host/PageMemory.h"
#include "tests/support/FakeHost.h"

namespace {

// Unselected, half and fully selected thirds.
std::vector<uint8_t> Stripes(int w, int h) {
    std::vector<uint8_t> mask(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) mask[size_t(y) * w + x] = uint8_t(x < w / 3 ? 0 : x < 2 * w / 3 ? 128 : 255);
    return mask;
}

struct RunSetup {
    explicit RunSetup(FakeImage picture, uint8_t kind = kWaves1, uint8_t colorSchema = kBlackAndWhite, int direct = 0)
        : image(std::move(picture)), pattern(kind), schema(colorSchema), noAntialias(direct) {}
    FakeImage image;
    uint8_t pattern, schema;
    int noAntialias;
    std::vector<uint8_t> mask;  // none when empty
};

// One whole run; maxSpace and the protocol decide how the image is split.
FakeImage Engrave(const RunSetup& setup, int32_t maxSpace = 1 << 30, bool tiled = false, int16_t expected = noErr) {
    FakeHostOptions options;
    options.maxSpace = maxSpace;
    options.advanceState = !tiled;
    FakeHost host(setup.image, options);
    if (!setup.mask.empty()) host.setMask(setup.mask);
    EXPECT_EQ(host.Call(filterSelectorPrepare), noErr);
    host.params()->pattern = setup.pattern;
    host.params()->colorSchema = setup.schema;
    host.params()->noAntialias = setup.noAntialias;
    EXPECT_EQ(host.Run(false), expected);
    if (expected == noErr) {
        EXPECT_EQ(host.lastProgress, std::make_pair(0, 100)) << "the bar is reset";
    }
    return host.image();
}

int Count(const std::vector<std::string>& calls, const char* call) { return int(std::count(calls.begin(), calls.end(), call)); }

TEST(FilterPass, UnsupportedModesStopBeforeTouchingTheImage) {
    for (int16_t mode : {plugInModeGrayScale, plugInModeLabColor, plugInModeIndexedColor, plugInModeBitmap,
                         plugInModeDuotone, plugInModeMultichannel, plugInModeGray16}) {
        const int planes = mode == plugInModeLabColor || mode == plugInModeMultichannel ? 3 : 1;
        const FakeImage image = TexturedImage(8, 6, planes, mode == plugInModeGray16 ? 16 : 8, mode);
        FakeHost host(image);
        EXPECT_EQ(host.Run(false), userCanceledErr) << mode;
        EXPECT_EQ(host.image().samples, image.samples) << mode;
        std::vector<std::string> alerts = {"alert||This Mode is Not Supported by the Plug-in"};
        if (planes < 3) alerts.insert(alerts.begin(), "alert|WARNING|There are less than 3 layers");
        EXPECT_EQ(host.alerts, alerts) << mode;
    }
}

TEST(FilterPass, BlackAndWhiteGivesInkAndPaperOnly) {
    const FakeImage out = Engrave(RunSetup(TexturedImage(40, 30)));
    int ink = 0, paper = 0;
    for (size_t i = 0; i < out.samples.size(); i += 3) {
        EXPECT_TRUE(out.samples[i] == out.samples[i + 1] && out.samples[i + 1] == out.samples[i + 2]);
        ink += out.samples[i] == 0;
        paper += out.samples[i] == 255;
    }
    EXPECT_GT(ink, 0);
    EXPECT_GT(paper, 0);
}

TEST(FilterPass, SelectionZeroRestoresAndHalfBlends) {
    RunSetup setup(TexturedImage(36, 20));
    const FakeImage full = Engrave(setup);
    setup.mask = Stripes(36, 20);
    const FakeImage masked = Engrave(setup);
    const FakeImage& before = setup.image;
    // Away from the mask's edges and the image border: strokes sampled in the
    // unselected part (and, with a selection, outside the image) are not
    // drawn, and their ink may reach a few pixels into the selection.
    for (int y = 3; y < before.height - 3; ++y)
        for (int x = 0; x < 22; ++x)
            for (int p = 0; p < 3 && (x < 10 || x >= 16); ++p) {
                const float a = 128 * 0.003921569f;
                const int blended = int(float(before.at(x, y, p)) * (1 - a) + float(full.at(x, y, p)) * a);
                ASSERT_EQ(masked.at(x, y, p), x < 12 ? before.at(x, y, p) : blended) << x << "," << y;
            }
}

TEST(FilterPass, SelectingEverythingEngravesLikeNoSelection) {
    for (uint8_t pattern : {uint8_t(kWaves1), uint8_t(kRings), uint8_t(kSpiralWaves2)}) {
        RunSetup setup(TexturedImage(33, 21, 4), pattern);
        const FakeImage none = Engrave(setup);
        setup.mask.assign(33 * 21, 255);
        EXPECT_EQ(Engrave(setup).samples, none.samples) << int(pattern);
    }
}

TEST(FilterPass, CmykGoesThroughTheColourSuiteBothWays) {
    FakeHost host(TexturedImage(30, 10, 4, 8, plugInModeCMYKColor));
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(Count(host.calls, "convert8 2->0 30"), 10);
    EXPECT_EQ(Count(host.calls, "convert8 0->2 30"), 10);
    // The fake suite gives K = 0 on the way back: every pixel was converted.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(host.image().at(x, y, 3), 0) << x << "," << y;
}

TEST(FilterPass, CmykUnselectedPixelsKeepTheirSamplesExactly) {
    const FakeImage image = TexturedImage(30, 12, 5, 16, plugInModeCMYK64);
    FakeHost host(image);
    host.setMask(Stripes(30, 12));
    ASSERT_EQ(host.Run(false), noErr);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x)
            for (int p = 0; p < 5; ++p) ASSERT_EQ(host.image().at(x, y, p), image.at(x, y, p));
}

TEST(FilterPass, WideRowsAreConvertedInPiecesTheSuiteCanCount) {
    FakeHostOptions options;
    options.bigDocument = true;
    FakeHost host(TexturedImage(40000, 2, 4, 8, plugInModeCMYKColor), options);
    ASSERT_EQ(host.Run(false), noErr);
    for (const char* call : {"convert8 2->0 32767", "convert8 0->2 32767", "convert8 2->0 7233", "convert8 0->2 7233"})
        EXPECT_EQ(Count(host.calls, call), 2) << call;
}

TEST(FilterPass, CmykWithoutAColourSuiteFailsAndLeavesTheImage) {
    const FakeImage image = TexturedImage(12, 8, 4, 8, plugInModeCMYKColor);
    FakeHostOptions options;
    options.colorSuite = false;
    FakeHost host(image, options);
    EXPECT_EQ(host.Run(false), errPlugInHostInsufficient);
    EXPECT_EQ(host.image().samples, image.samples);
}

TEST(FilterPass, OutOfMemoryLeavesTheOutputUntouched) {
    const RunSetup setup(TexturedImage(32, 16));
    for (size_t limit : {size_t(0), size_t(32 * 16 * 3), size_t(32 * 16 * 3 + 100)}) {
        SetPageMemoryLimitForTesting(limit);
        const FakeImage out = Engrave(setup, 1 << 30, false, memFullErr);
        SetPageMemoryLimitForTesting(SIZE_MAX);
        EXPECT_EQ(out.samples, setup.image.samples) << limit;
    }
}

TEST(FilterPass, EarlierChunkErrorIsNotReportedAsCancel) {
    SetPageMemoryLimitForTesting(0);
    FakeHostOptions options;
    options.maxSpace = 400;
    FakeHost host(TexturedImage(20, 13), options);
    EXPECT_EQ(host.Run(false), memFullErr);
    SetPageMemoryLimitForTesting(SIZE_MAX);
    EXPECT_EQ(host.advanceStateCalls, 1);
}

// A run split into chunks or tiled windows gives exactly the pixels of a
// one-chunk run.
struct SplitCase {
    const char* name;
    int planes, depth;
    int16_t mode;
    int noAntialias;
    bool mask;
};

class SplitRun : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRun, EqualsTheOneChunkRunForEveryPatternAndSchema) {
    const SplitCase& c = GetParam();
    const int width = 37, height = 29;
    const int bytesPerRow = (2 * c.planes + 1) * width;
    for (uint8_t pattern = 0; pattern < kPatternKindCount; ++pattern)
        for (uint8_t schema = 0; schema < kColorSchemaCount; ++schema) {
            RunSetup setup(TexturedImage(width, height, c.planes, c.depth, c.mode), pattern, schema, c.noAntialias);
            if (c.mask) setup.mask = Stripes(width, height);
            const FakeImage whole = Engrave(setup);
            const std::string what = std::string(c.name) + " pattern " + std::to_string(pattern) + " schema " +
                                     std::to_string(schema);
            for (int rows : {1, 4, 7})
                ASSERT_EQ(Engrave(setup, rows * bytesPerRow).samples, whole.samples) << what << " rows " << rows;
            ASSERT_EQ(Engrave(setup, 5 * bytesPerRow, true).samples, whole.samples) << what << " tiled";
        }
}

INSTANTIATE_TEST_SUITE_P(
    Images, SplitRun,
    ::testing::Values(SplitCase{"rgb8", 3, 8, plugInModeRGBColor, 0, false},
                      SplitCase{"rgb8_direct", 3, 8, plugInModeRGBColor, 1, false},
                      SplitCase{"rgba16", 4, 16, plugInModeRGB48, 0, false},
                      SplitCase{"rgba8_mask", 4, 8, plugInModeRGBColor, 0, true},
                      SplitCase{"rgb8_direct_mask", 3, 8, plugInModeRGBColor, 1, true},
                      SplitCase{"cmyk8", 4, 8, plugInModeCMYKColor, 0, false},
                      SplitCase{"cmyka16_direct", 5, 16, plugInModeCMYK64, 1, false}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

}  // namespace
