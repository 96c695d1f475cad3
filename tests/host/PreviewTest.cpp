// The dialog's preview shows exactly what the final render writes at the
// view: the same stroke layout, random sequence, relief densification and
// selection, for every kind, schema and path.
#include <gtest/gtest.h>

#include <cstring>

#include "host/EngraveParams.h"
#include "host/ModuleState.h"
#include "host/PreviewRender.h"
#include "host/PreviewSource.h"
#include "tests/support/FakeHost.h"

namespace {

std::vector<uint8_t> Selection(int w, int h) {
    std::vector<uint8_t> mask(size_t(w) * h, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x - w / 3) * (x - w / 3) + (y - h / 2) * (y - h / 2) < h * h / 9)
                mask[size_t(y) * w + x] = uint8_t(x * 5);
    return mask;
}

// Renders the final image, then the preview at several views, and compares
// the preview with the final image there.
void ExpectPreviewsMatch(const EngraveSettings& settings, const FakeImage& image, bool masked,
                         const std::string& what) {
    const std::vector<uint8_t> mask = masked ? Selection(image.width, image.height) : std::vector<uint8_t>{};
    FakeImage final;
    {
        FakeHost host(image);  // one fake host at a time
        if (masked) host.setMask(mask);
        ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
        StoreSettings(settings, host.params());
        ASSERT_EQ(host.Run(false), noErr);
        final = host.image();
    }
    FakeHost host(image);
    if (masked) host.setMask(mask);
    gModule.filterRecord = &host.record();
    ASSERT_EQ(FetchWholeImage(&host.record()), noErr);
    int progressCalls = 0;
    const ProgressSink sink{[](void* n, int32_t, int32_t) { ++*static_cast<int*>(n); }, &progressCalls};
    struct View { int x, y, w, h; };
    for (const View v : {View{0, 0, 20, 14}, View{17, 9, 24, 18}, View{1000, 1000, 21, 16}, View{-5, 30, 16, 12}}) {
        const PreviewPicture picture =
            RenderPreview(settings, PreviewRequest{&host.record(), v.x, v.y, v.w, v.h}, sink);
        ASSERT_FALSE(picture.empty) << what;
        ASSERT_EQ(picture.error, noErr);
        const int bps = final.depth == 16 ? 2 : 1;
        ASSERT_EQ(picture.pixels.size(), size_t(picture.width) * picture.height * final.planes * bps);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                for (int p = 0; p < final.planes; ++p) {
                    const size_t i = (size_t(y) * picture.width + x) * final.planes + p;
                    uint16_t got = picture.pixels[i];
                    if (bps == 2) std::memcpy(&got, &picture.pixels[2 * i], 2);
                    ASSERT_EQ(got, final.at(picture.left + x, picture.top + y, p))
                        << what << " view " << v.x << "," << v.y << " pixel " << picture.left + x << ","
                        << picture.top + y << " sample " << p;
                }
    }
    EXPECT_GT(progressCalls, 0) << "the preview reports to the sink it was given";
}

struct KindCase { int kind, schema; bool direct; };

class PreviewEqualsFinal : public testing::TestWithParam<KindCase> {};

TEST_P(PreviewEqualsFinal, AtEveryView) {
    EngraveSettings settings = DefaultEngraveSettings();
    settings.pattern = uint8_t(GetParam().kind);
    settings.colorSchema = uint8_t(GetParam().schema);
    settings.noAntialias = GetParam().direct;
    settings.space = 14;
    settings.randomness = 400;  // strong relief: densified in both
    settings.noise = 20;
    settings.centerX = 200;
    ExpectPreviewsMatch(settings, TexturedImage(61, 47, 3, 8), false, "rgb8");
}

std::vector<KindCase> AllKinds() {
    std::vector<KindCase> cases;
    for (int k = 0; k < kPatternKindCount; ++k)
        for (int s = 0; s < kColorSchemaCount; ++s)
            for (int d = 0; d < 2; ++d) cases.push_back({k, s, d == 1});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllKinds, PreviewEqualsFinal, testing::ValuesIn(AllKinds()),
                         [](const testing::TestParamInfo<KindCase>& info) {
                             return "Kind" + std::to_string(info.param.kind) + "Schema" +
                                    std::to_string(info.param.schema) + (info.param.direct ? "Direct" : "Antialiased");
                         });

// With a selection: 16-bit RGBA with dots and transparency, and CMYK,
// whose preview holds the CMYK samples the final render writes, converted
// back through the host's colour suite and blended as there.
TEST(Preview, SelectionsSixteenBitsDotsAndCmykMatchTheFinalImage) {
    struct Case { const char* name; int kind, schema, direct; bool dots; FakeImage image; };  // schema -1: the default
    const FakeImage rgba16 = TexturedImage(53, 41, 4, 16), cmyk8 = TexturedImage(47, 39, 4, 8, plugInModeCMYKColor),
                    cmyka16 = TexturedImage(47, 39, 5, 16, plugInModeCMYK64);
    for (const Case& c : {Case{"rgba16", kWaves2, -1, 0, true, rgba16},
                          Case{"rgba16", kRingsWaves3, -1, 0, true, rgba16},
                          Case{"rgba16", kSpiralWaves4, -1, 0, true, rgba16},
                          Case{"cmyk8", kSpiralWaves1, kInitialColor, 0, false, cmyk8},
                          Case{"cmyka16", kSpiralWaves1, kInitialColor, 1, false, cmyka16}}) {
        EngraveSettings settings = DefaultEngraveSettings();
        settings.pattern = uint8_t(c.kind), settings.noAntialias = c.direct;
        if (c.schema >= 0) settings.colorSchema = uint8_t(c.schema);
        if (c.dots) settings.useCircles = 1, settings.fillAlpha = 0;
        ExpectPreviewsMatch(settings, c.image, true, std::string(c.name) + " kind " + std::to_string(c.kind));
    }
}

// The panes show CMYK through the host's suite: 16-bit samples first come
// down to 8 bits, the transparency plane becomes alpha.
TEST(Preview, CmykDisplayCopyGoesThroughTheColourSuite) {
    FakeHost host(TexturedImage(3, 2, 5, 16, plugInModeCMYK64));
    // C M Y K A at 16 bits: 32768 shows as 255, 3200 as 25.
    const uint16_t pixel[5] = {32768, 3200, 0, 0, 16384};
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(CmykDisplayCopy(&host.record(), reinterpret_cast<const uint8_t*>(pixel), 10, 1, 1, 5, 16, &rgba));
    const std::vector<uint8_t> expected = {0, 230, 255, 128};  // the fake suite: R = 255 - C - K
    EXPECT_EQ(rgba, expected);
    FakeHostOptions none;
    none.colorSuite = false;
    FakeHost bare(TexturedImage(3, 2, 4, 8, plugInModeCMYKColor), none);
    EXPECT_FALSE(CmykDisplayCopy(&bare.record(), reinterpret_cast<const uint8_t*>(pixel), 10, 1, 1, 4, 8, &rgba));
}

// The view is pulled back into the image as the pane needs.
TEST(Preview, ViewClampsIntoTheImage) {
    struct Case { int viewX, viewY, paneW, paneH; int left, top, width, height, paneWidth; };
    for (const Case& c : {Case{5, 7, 16, 10, 5, 7, 16, 10, 16}, Case{2, 3, 13, 10, 2, 3, 16, 10, 16},
                          Case{100, 100, 16, 10, 23, 19, 16, 10, 16}, Case{24, 20, 16, 10, 23, 19, 16, 10, 16},
                          Case{-5, -9, 16, 10, 0, 0, 16, 10, 16}, Case{7, 7, 60, 50, 0, 0, 40, 30, 60}}) {
        const PreviewPicture p = PlanPreviewRegion(40, 30, PreviewRequest{nullptr, c.viewX, c.viewY, c.paneW, c.paneH});
        EXPECT_EQ(p.left, c.left) << c.viewX;
        EXPECT_EQ(p.top, c.top) << c.viewY;
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
        EXPECT_EQ(p.paneWidth, c.paneWidth);
    }
}

TEST(Preview, UnsupportedImagesAndMissingInputGiveNoPicture) {
    FakeHost lab(TexturedImage(20, 10, 3, 8, plugInModeLabColor));
    gModule.filterRecord = &lab.record();
    FetchWholeImage(&lab.record());
    EXPECT_TRUE(RenderPreview(DefaultEngraveSettings(), PreviewRequest{&lab.record(), 0, 0, 8, 8}, {}).empty);
    EXPECT_TRUE(lab.alerts.empty()) << "a preview shows no message box";
    FakeHost nothing(TexturedImage(20, 10, 3, 8));
    EXPECT_TRUE(RenderPreview(DefaultEngraveSettings(), PreviewRequest{&nothing.record(), 0, 0, 8, 8}, {}).empty);
}

}  // namespace
