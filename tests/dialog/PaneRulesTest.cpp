// The dialog's window-free rules: pane pictures (8-bit samples, checker,
// navigator fit, selection negative), which controls act for a kind and
// the navigator frame. (The Shift conversion and the alpha rule are checked
// in the dialog itself, by the dialog window tests.)
#include <gtest/gtest.h>

#include <cstring>

#include "dialog/DialogRules.h"
#include "dialog/PanePictures.h"

namespace {

struct FitCase {
    int imageW, imageH, paneW, paneH;
    float scale;
    int width, height, offsetX, offsetY;
};

TEST(PanePictures, NavigatorFitsNeverEnlargesAndCentres) {
    for (const FitCase& c : {FitCase{1000, 500, 185, 154, 0.185f, 184, 92, 0, 31},
                             FitCase{100, 60, 185, 154, 1.0f, 100, 60, 42, 47},
                             FitCase{3000, 4000, 185, 154, 0.0385f, 112, 154, 36, 0}}) {
        const NavigatorFit f = FitNavigator(c.imageW, c.imageH, c.paneW, c.paneH);
        EXPECT_FLOAT_EQ(f.scale, c.scale) << c.imageW;
        EXPECT_EQ(f.width, c.width) << c.imageW;
        EXPECT_EQ(f.height, c.height) << c.imageW;
        EXPECT_EQ(f.offsetX, c.offsetX) << c.imageW;
        EXPECT_EQ(f.offsetY, c.offsetY) << c.imageW;
    }
}

TEST(PanePictures, SixteenBitSamplesComeDownToEightBits) {
    for (auto c : {std::pair<uint16_t, int>{32768, 255}, {32767, 255}, {32640, 255}, {32639, 254}, {256, 2}, {0, 0}})
        EXPECT_EQ(SampleTo8(c.first), c.second) << c.first;
}

// One RGBA row: transparent, half, opaque; the picture is bottom-up BGR.
TEST(PanePictures, TransparencyShowsTheCheckerAndOpaqueItsColour) {
    const uint8_t row[16] = {10, 20, 30, 0, 200, 100, 50, 128, 1, 2, 3, 255, 9, 9, 9, 255};
    const PictureSource source{row, 16, 4, 1, 4, 8};
    for (bool checker : {true, false}) {
        const PanePicture p = BuildPreviewPicture(source, 4, 1, 0, 0, checker);
        ASSERT_EQ(p.width, 4);
        const int c = checker ? 140 : 0;
        const float a = 128 * 0.003921569f;
        const uint8_t expected[12] = {uint8_t(c), uint8_t(c), uint8_t(c),
                                      uint8_t(50 * a + (1 - a) * c), uint8_t(100 * a + (1 - a) * c), uint8_t(200 * a + (1 - a) * c),
                                      3, 2, 1, 9, 9, 9};
        EXPECT_EQ(0, std::memcmp(p.bgr.data(), expected, 12)) << "checker " << checker;
    }
}

TEST(PanePictures, PreviewPanIsPulledBackAndRowsAreBottomUp) {
    // An 8 x 6 gray ramp: row y has the value 10 y.
    std::vector<uint8_t> pixels(8 * 6 * 3);
    for (int y = 0; y < 6; ++y) std::memset(&pixels[size_t(y) * 24], 10 * y, 24);
    const PictureSource source{pixels.data(), 24, 8, 6, 3, 8};
    const PanePicture p = BuildPreviewPicture(source, 6, 4, 0, 9, false);
    ASSERT_EQ(p.width, 4);  // min(6, 8) rounded down to a multiple of 4
    ASSERT_EQ(p.height, 4);
    // Pan y 9 >= 6 - 4 becomes 6 - 4 - 1 = 1: the picture's top row is row 1,
    // stored last.
    EXPECT_EQ(p.bgr[3 * 4 * 3], 10);
    EXPECT_EQ(p.bgr[0], 40);
}

TEST(PanePictures, NavigatorShowsTheSelectionAsANegative) {
    const uint8_t pixels[8 * 3] = {50, 60, 70, 50, 60, 70, 50, 60, 70, 50, 60, 70,
                                   50, 60, 70, 50, 60, 70, 50, 60, 70, 50, 60, 70};
    const uint8_t mask[8] = {0, 255, 0, 1, 0, 0, 0, 0};
    const PanePicture p = BuildNavigatorPicture(PictureSource{pixels, 12, 4, 2, 3, 8}, mask, 4, 10, 10, false);
    ASSERT_EQ(p.width, 4);
    // Bottom-up: the top image row is the second picture row in memory.
    const uint8_t* top = &p.bgr[12];
    EXPECT_EQ(top[0], 70);
    EXPECT_EQ(top[3], uint8_t(~70));
    EXPECT_EQ(top[9], uint8_t(~70));
}

TEST(DialogRules, ControlsActForTheirKinds) {
    const int centre[] = {kIdCenterX, kIdCenterY, kIdCenterXLabel, kIdCenterYLabel};
    const int waves[] = {kIdAmplitude, kIdFrequency, kIdShift, kIdAmplitudeLabel, kIdFrequencyLabel, kIdShiftLabel};
    struct Case {
        int pattern;
        bool centre, waves;
    };
    for (const Case& c : {Case{kLines, false, false}, Case{kWaves2, false, true}, Case{kRings, true, false},
                          Case{kRingsWaves2, true, true}, Case{kSpiral, true, false}, Case{kSpiralWaves4, true, true}}) {
        for (int id : centre) EXPECT_EQ(ControlActsForPattern(id, c.pattern), c.centre) << c.pattern << " " << id;
        for (int id : waves) EXPECT_EQ(ControlActsForPattern(id, c.pattern), c.waves) << c.pattern << " " << id;
        EXPECT_TRUE(ControlActsForPattern(kIdSpace, c.pattern));
    }
}

TEST(DialogRules, FrameAndViewFollowTheNavigatorsScale) {
    // A 1000 x 500 image in a 184 x 92 navigator picture.
    const Point frame = FrameForView(Point{500, 250}, 184, 92, 1000, 500);
    EXPECT_EQ(frame.x, 92);
    EXPECT_EQ(frame.y, 46);
    const Point view = ViewForFrame(Point{10, 3}, 184, 92, 1000, 500);
    EXPECT_EQ(view.x, 54);  // 1000 / 184 x 10 + 0.5 = 54.8
    EXPECT_EQ(view.y, 16);  // 500 / 92 x 3 + 0.5 = 16.8
}

}  // namespace
