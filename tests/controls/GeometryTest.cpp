// The controls' geometry: slider positions, the dial's directions, turns,
// marker and circles, the panes' drags and frame, the buttons' states and
// skins, and resizing pictures for the DPI.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "controls/ButtonModel.h"
#include "controls/PixelResample.h"
#include "controls/PreviewModel.h"
#include "controls/RotorFace.h"
#include "controls/RotorModel.h"
#include "controls/SliderModel.h"

namespace {

TEST(Slider, MapsXToValueWithinRangeAndMarks) {
    const SliderLimits plain = {0, 100, 0, 0, false};
    const SliderLimits marked = {0, 100, 20, 80, true};
    const SliderLimits centred = {-50, 50, 0, 0, false};
    const SliderLimits empty = {30, 30, 0, 0, false};
    const struct {
        int16_t x;
        int width;
        const SliderLimits* limits;
        float value;
    } cases[] = {
        {5, 110, &plain, 0},     {55, 110, &plain, 50},    {105, 110, &plain, 100}, {200, 110, &plain, 100},
        {-20, 110, &plain, 0},   {5, 110, &marked, 20},    {105, 110, &marked, 80}, {55, 110, &centred, 0},
        {30, 10, &plain, 0},     {30, 11, &plain, 100},    // a 1-pixel span reaches the maximum at once
        {60, 110, &empty, 30},   // no range: the minimum, never a division by zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(SliderValueAt(c.x, c.width, 5, *c.limits), c.value) << "x " << c.x << " width " << c.width;

    EXPECT_EQ(SliderThumbX(50, 0, 100, 110, 5), 55);
    EXPECT_EQ(SliderThumbX(0, 0, 100, 110, 5), 5);
    EXPECT_EQ(SliderThumbX(100, 0, 100, 110, 5), 105);
    EXPECT_EQ(SliderThumbX(33.3f, 0, 100, 60, 5), 22);  // 33.3 * 0.5 + 5.5 = 22.15
    EXPECT_EQ(SliderThumbX(7, 30, 30, 110, 5), 5);
    EXPECT_EQ(SliderThumbX(10, 0, 100, 110, 10), 19);   // the 192-DPI margin: 10 * 0.9 + 10.5
}

TEST(Rotor, DirectionsAreClockwiseFromUp) {
    const struct {
        int x, y;
        float degrees;
    } cases[] = {{50, 10, 0},   {90, 50, 90},  {50, 90, 180}, {10, 50, 270}, {50, 50, 90},
                 {90, 10, 45},  {90, 90, 135}, {10, 90, 225}, {10, 10, 315}, {49, 0, 358.854f}};
    for (const auto& c : cases) EXPECT_NEAR(PointDirection(c.x, c.y, 50, 50), c.degrees, 2e-3) << c.x << "," << c.y;
}

TEST(Rotor, DraggingThroughTheTopCountsTurns) {
    RotorTurning turning = {};
    RotorPress(turning, 350, false);
    const struct {
        float direction, turns, value;
    } steps[] = {{10, 1, 370},   {100, 1, 460},  {200, 1, 560}, {300, 1, 660}, {350, 1, 710},
                 {20, 2, 740},   {340, 1, 700},  {10, 2, 730},  {310, 1, 670}, {200, 1, 560},
                 {80, 1, 440},   {330, 0, 330},  {10, 1, 370},  {330, 0, 330}, {45, 1, 405}};
    for (const auto& s : steps) {
        RotorDrag(turning, s.direction);
        EXPECT_EQ(turning.turns, s.turns) << s.direction;
        EXPECT_EQ(turning.value, s.value) << s.direction;
    }
    // Counter-clockwise through the top from the first turn goes below 0.
    RotorTurning back = {};
    RotorPress(back, 20, false);
    RotorDrag(back, 350);
    EXPECT_EQ(back.value, -10);
    // A press keeps the turn of an unlimited dial and resets a limited one.
    RotorPress(turning, 90, false);
    EXPECT_EQ(turning.value, 450);
    RotorPress(turning, 90, true);
    EXPECT_EQ(turning.value, 90);
}

TEST(Rotor, StepsMarkerAndLimits) {
    const AngleRange free = {0, 360, false}, limited = {0, 360, true};
    EXPECT_EQ(RotorStep(45.7f, 1, free), 46);
    EXPECT_EQ(RotorStep(-0.5f, 1, free), 0);
    EXPECT_EQ(RotorStep(-0.5f, -1, free), -1);
    EXPECT_EQ(RotorStep(360, 1, limited), 360);
    EXPECT_EQ(RotorStep(-20, 1, free), -19);
    EXPECT_EQ(ClampAngle(400, limited), 360);
    EXPECT_EQ(ClampAngle(400, free), 400);

    const struct {
        float value;
        int x, y;
    } markers[] = {{90, 58, 30}, {180, 30, 58}, {270, 2, 30},
                   // The dial's pi (3.141592) leaves these a hair above the centre line.
                   {450, 58, 29}, {-90, 2, 29}};
    for (const auto& m : markers) {
        const Point2 p = RotorMarker(m.value, 60, 60, 28);
        EXPECT_EQ(p.x, m.x) << m.value;
        EXPECT_EQ(p.y, m.y) << m.value;
    }
}

struct Pixels {
    std::vector<uint32_t> data;
    PixelCanvas canvas;
    Pixels(int w, int h, uint32_t fill) : data(size_t(w) * h, fill), canvas{data.data(), w, h} {}
    int Darkness(int x, int y) const { return 232 - int(data[size_t(y) * canvas.width + x] & 0xFF); }
};

TEST(RotorFace, CircleIsAClosedBlendedOutlineOfOneToTwoPixels) {
    const uint32_t background = PackRgb(232, 232, 232);
    for (int stroke : {1, 2}) {
        Pixels pixels(61, 61, background);
        if (stroke == 1) {
            DrawAntialiasedCircle(pixels.canvas, 30, 30, 24, 0, background);
        } else {
            DrawAntialiasedRing(pixels.canvas, 30, 30, 24, 2, 0, background);
        }
        for (int y = 0; y < 61; ++y) {
            for (int x = 0; x < 61; ++x) {
                const float d = std::hypot(float(x - 30), float(y - 30));
                const uint32_t p = pixels.data[size_t(y) * 61 + x];
                // Grey only: blended from the background toward black.
                EXPECT_TRUE((p & 0xFF) == (p >> 8 & 0xFF) && (p & 0xFF) == (p >> 16 & 0xFF)) << x << "," << y;
                if (std::fabs(d - 24) > 1.0f + stroke * 0.5f) {
                    EXPECT_EQ(pixels.Darkness(x, y), 0) << x << "," << y;
                }
            }
        }
        // Closed, in all four quadrants: every column and every row holds
        // about a pixel's worth of ink on each side of the centre.
        for (int i = 30 - 23; i <= 30 + 23; ++i) {
            int columnTop = 0, columnBottom = 0, rowLeft = 0, rowRight = 0;
            for (int j = 0; j < 30; ++j) {
                columnTop += pixels.Darkness(i, j);
                columnBottom += pixels.Darkness(i, 60 - j);
                rowLeft += pixels.Darkness(j, i);
                rowRight += pixels.Darkness(60 - j, i);
            }
            for (int ink : {columnTop, columnBottom, rowLeft, rowRight}) {
                EXPECT_GE(ink, 200) << "line " << i << ", pen " << stroke;
                EXPECT_LE(ink, 232 * 6 * stroke) << "line " << i << ", pen " << stroke;
            }
        }
    }
    EXPECT_EQ(BlendCoverage(background, 0, 0), background);
    EXPECT_EQ(BlendCoverage(background, 0, 255), 0u);
    EXPECT_EQ(BlendCoverage(background, 0, 128), PackRgb(115, 115, 115));  // 232 * (1 - 128 / 255), truncated
}

TEST(RotorFace, MarkerCrossSitsAtTheValuesDirection) {
    Pixels pixels(60, 60, PackRgb(232, 232, 232));
    RenderRotorFace(pixels.canvas, 90, 96, PackRgb(232, 232, 232));
    // Marker at (58, 30): the cross's horizontal arm spans x 53..62 (end
    // excluded, clipped at 59), its vertical arm y 25..34.
    for (int x = 53; x < 60; ++x) EXPECT_EQ(pixels.Darkness(x, 30), 232) << x;
    for (int y = 25; y < 35; ++y) EXPECT_EQ(pixels.Darkness(58, y), 232) << y;
    EXPECT_EQ(pixels.Darkness(30, 30), 0);  // the middle stays clear (the number field goes there)
}

TEST(PreviewPanes, DragsPanAndFrame) {
    PaneMotion preview = {};
    PaneLeftDown(preview, 40, 40);
    PaneLeftDrag(preview, kPreviewMode, 55, 45);
    PaneLeftDrag(preview, kPreviewMode, 70, 50);
    EXPECT_EQ(preview.dragX, 30);
    EXPECT_EQ(preview.dragY, 10);
    PaneLeftUp(preview, kPreviewMode);
    EXPECT_EQ(preview.panX, -30);
    EXPECT_EQ(preview.panY, -10);
    EXPECT_EQ(preview.dragX, 0);

    PaneMotion navigator = {};
    navigator.frameX = 10;
    PaneLeftDown(navigator, 20, 20);
    PaneLeftDrag(navigator, kNavigatorMode, 500, 15);
    EXPECT_EQ(navigator.frameX, 490);
    EXPECT_EQ(navigator.frameY, -5);
    PaneLeftUp(navigator, kNavigatorMode);
    EXPECT_EQ(navigator.panX, 0);

    const FrameSize frame = NavigatorFrameSize(185, 154, 2.5f);
    EXPECT_EQ(frame.width, 74);
    EXPECT_EQ(frame.height, 62);  // 61.6 + 0.5, truncated
    EXPECT_EQ(NavigatorFrameSize(185, 154, 0.0f).width, 0);
    EXPECT_EQ(NavigatorFrameSize(185, 154, NAN).width, 0);
    ClampFrame(navigator, frame, 184, 92);
    EXPECT_EQ(navigator.frameX, 184 - 74 - 1);
    EXPECT_EQ(navigator.frameY, 0);

    PaneRightPoint(preview, -4, 7);
    EXPECT_EQ(preview.lastX, 0);
    EXPECT_EQ(preview.lastY, 7);

    Box bands[4];
    FrameBands(10, 20, {30, 15}, 1, bands);
    const Box expected[4] = {{10, 20, 31, 1}, {10, 35, 31, 1}, {10, 20, 1, 16}, {40, 20, 1, 16}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bands[i].left, expected[i].left) << i;
        EXPECT_EQ(bands[i].top, expected[i].top) << i;
        EXPECT_EQ(bands[i].width, expected[i].width) << i;
        EXPECT_EQ(bands[i].height, expected[i].height) << i;
    }
}

TEST(BitmapButton, FaceFollowsMouseAndPressEndsInOneClick) {
    // Events in order, each with the face and actions it must give.
    enum Event { MoveIn, MoveOut, MoveEdge, Press, DragOut, Release, Lost };
    const struct {
        Event event;
        uint8_t face;
        bool capture, release, click;
    } script[] = {
        {MoveIn, kFaceHover, true, false, false},   {MoveEdge, kFaceHover, false, false, false},
        {MoveOut, kFaceNormal, false, true, false}, {MoveIn, kFaceHover, true, false, false},
        {Lost, kFaceNormal, false, false, false},   {Press, kFacePressed, true, false, false},
        {DragOut, kFacePressed, false, false, false}, {Release, kFaceNormal, false, true, true},
        {Release, kFaceNormal, false, true, false},
    };
    uint8_t face = kFaceNormal;
    for (const auto& step : script) {
        ButtonActions a;
        switch (step.event) {
            case MoveIn: a = ButtonMove(face, 10, 5, 40, 19, false); break;
            case MoveOut: a = ButtonMove(face, 41, 5, 40, 19, false); break;
            case MoveEdge: a = ButtonMove(face, 40, 19, 40, 19, false); break;
            case Press: a = ButtonPress(face); break;
            case DragOut: a = ButtonMove(face, -30, 5, 40, 19, true); break;
            case Release: a = ButtonRelease(face); break;
            case Lost: a = ButtonCaptureLost(face); break;
        }
        EXPECT_EQ(face, step.face) << "event " << step.event;
        EXPECT_EQ(a.capture, step.capture) << "event " << step.event;
        EXPECT_EQ(a.releaseCapture, step.release) << "event " << step.event;
        EXPECT_EQ(a.click, step.click) << "event " << step.event;
    }
}

TEST(SkinnedButtons, HoverSkinsAndLayout) {
    uint8_t hover = 0;
    EXPECT_TRUE(HoverMove(hover, 5, 5, 60, 23, false).capture);
    EXPECT_EQ(hover, 1);
    EXPECT_FALSE(HoverMove(hover, 6, 5, 60, 23, false).capture);  // already lit
    ButtonActions out = HoverMove(hover, 60, 5, 60, 23, true);   // right edge is outside
    EXPECT_EQ(hover, 0);
    EXPECT_FALSE(out.releaseCapture);  // the button's own press keeps its capture
    HoverMove(hover, 5, 5, 60, 23, false);
    EXPECT_TRUE(HoverMove(hover, 5, -1, 60, 23, false).releaseCapture);
    HoverMove(hover, 5, 5, 60, 23, false);
    EXPECT_TRUE(HoverEnd(hover).repaint);
    EXPECT_EQ(hover, 0);

    EXPECT_EQ(ChooseSkinSet(true, true, true, 1), SkinSet::Normal);
    EXPECT_EQ(ChooseSkinSet(false, true, true, 1), SkinSet::Pressed);
    EXPECT_EQ(ChooseSkinSet(false, false, true, 1), SkinSet::Hover);
    EXPECT_EQ(ChooseSkinSet(false, false, false, 1), SkinSet::Default);
    EXPECT_EQ(ChooseSkinSet(false, false, false, 2), SkinSet::Normal);

    const struct {
        SkinSet set;
        int left, right, middle;
    } ids[] = {{SkinSet::Normal, 124, 123, 125}, {SkinSet::Default, 127, 126, 128},
               {SkinSet::Hover, 130, 129, 131},  {SkinSet::Pressed, 133, 132, 134}};
    for (const auto& i : ids) {
        EXPECT_EQ(SkinBitmapId(i.set, SkinPiece::Left), i.left);
        EXPECT_EQ(SkinBitmapId(i.set, SkinPiece::Right), i.right);
        EXPECT_EQ(SkinBitmapId(i.set, SkinPiece::Middle), i.middle);
    }
    EXPECT_STREQ(SkinCaption(1078), "Delete");
    EXPECT_STREQ(SkinCaption(1110), "Update");
    EXPECT_EQ(SkinCaption(1080), nullptr);

    const SkinLayout layout = LayOutSkin(100, 18);
    EXPECT_EQ(layout.left.left + layout.left.width, 18);
    EXPECT_EQ(layout.middle.left, 18);
    EXPECT_EQ(layout.middle.width, 64);
    EXPECT_EQ(layout.right.left, 82);
}

TEST(Resample, AveragesCoveredAreas) {
    const uint32_t checker[4] = {0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF};
    uint32_t one = 0;
    ResamplePixels(checker, 2, 2, &one, 1, 1);
    EXPECT_EQ(one, 0x808080u);
    const uint32_t row[4] = {0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00};
    uint32_t half[2] = {};
    ResamplePixels(row, 4, 1, half, 2, 1);
    EXPECT_EQ(half[0], 0x0000FFu);
    EXPECT_EQ(half[1], 0x00FF00u);
    const uint32_t pair[2] = {0x000000, 0xFFFFFF};
    uint32_t grown[3] = {};
    ResamplePixels(pair, 2, 1, grown, 3, 1);  // 1.5 times: the middle pixel covers half of each
    EXPECT_EQ(grown[0], 0x000000u);
    for (int shift : {0, 8, 16}) EXPECT_NEAR(int(grown[1] >> shift & 0xFF), 128, 1);
    EXPECT_EQ(grown[2], 0xFFFFFFu);
}

}  // namespace
