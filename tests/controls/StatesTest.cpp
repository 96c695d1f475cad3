// The controls' state machines, natively: what the arrows do to a spin
// edit, a bitmap button's faces and click, a skinned button's hover
// flag and skin, and the panes' drags, pan and frame clamping.
#include <gtest/gtest.h>

#include "controls/ButtonModel.h"
#include "controls/PreviewModel.h"
#include "controls/SpinModel.h"

namespace {

TEST(SpinEdit, ArrowsTakeTheSignedPositionAndNotifyPerStepOrAtTheEnd) {
    const struct {
        int code;  // SB_THUMBPOSITION 4, SB_THUMBTRACK 5, SB_ENDSCROLL 8
        bool eachStep, set, notify;
    } arrows[] = {{4, true, true, true}, {4, false, true, false}, {8, false, true, true}, {8, true, false, false},
                  {5, true, false, false}};
    for (const auto& c : arrows) {
        const ArrowOutcome outcome = ArrowScroll(c.code, -7, c.eachStep);
        EXPECT_EQ(outcome.setValue, c.set) << c.code << " " << c.eachStep;
        EXPECT_EQ(outcome.notify, c.notify) << c.code << " " << c.eachStep;
        EXPECT_EQ(outcome.value, c.set ? -7.0f : 0.0f);
    }
}

TEST(BitmapButton, FaceFollowsTheMouseAndAPressEndsInOneClick) {
    enum Event { In, Out, Edge, Press, DragOut, Release, Lost };
    const struct {
        Event event;
        uint8_t face;
        bool capture, release, click;
    } script[] = {{In, kFaceHover, true, false, false},      {Edge, kFaceHover, false, false, false},
                  {Out, kFaceNormal, false, true, false},    {In, kFaceHover, true, false, false},
                  {Lost, kFaceNormal, false, false, false},  {Press, kFacePressed, true, false, false},
                  {DragOut, kFacePressed, false, false, false}, {Release, kFaceNormal, false, true, true},
                  {Release, kFaceNormal, false, true, false}};
    uint8_t face = kFaceNormal;
    for (const auto& step : script) {
        const ButtonActions a = step.event == In        ? ButtonMove(face, 10, 5, 40, 19, false)
                                : step.event == Out     ? ButtonMove(face, 41, 5, 40, 19, false)
                                : step.event == Edge    ? ButtonMove(face, 40, 19, 40, 19, false)  // inside
                                : step.event == Press   ? ButtonPress(face)
                                : step.event == DragOut ? ButtonMove(face, -30, 5, 40, 19, true)
                                : step.event == Release ? ButtonRelease(face)
                                                        : ButtonCaptureLost(face);
        EXPECT_EQ(face, step.face) << "event " << step.event;
        EXPECT_EQ(a.capture, step.capture) << "event " << step.event;
        EXPECT_EQ(a.releaseCapture, step.release) << "event " << step.event;
        EXPECT_EQ(a.click, step.click) << "event " << step.event;
    }
}

TEST(SkinnedButton, HoverFlagAndSkinSet) {
    uint8_t hover = 0;
    EXPECT_TRUE(HoverMove(hover, 5, 5, 60, 23, false).capture);
    EXPECT_FALSE(HoverMove(hover, 6, 5, 60, 23, false).capture);  // already lit
    EXPECT_FALSE(HoverMove(hover, 60, 5, 60, 23, true).releaseCapture);  // a press keeps its capture
    EXPECT_EQ(hover, 0);
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
    EXPECT_EQ(SkinBitmapId(SkinSet::Default, SkinPiece::Left), 127);
    EXPECT_EQ(SkinBitmapId(SkinSet::Pressed, SkinPiece::Middle), 134);
    EXPECT_EQ(SkinCaption(1080), nullptr);
}

TEST(Panes, DragsPanTheOppositeWayAndTheFrameStaysOnThePicture) {
    PaneMotion motion = {};
    PaneLeftDown(motion, 40, 40);
    PaneLeftDrag(motion, kPreviewMode, 55, 45);
    PaneLeftDrag(motion, kPreviewMode, 70, 50);
    PaneLeftUp(motion, kPreviewMode);
    EXPECT_EQ(motion.panX, -30);
    EXPECT_EQ(motion.panY, -10);
    EXPECT_EQ(motion.dragX, 0);

    PaneLeftDown(motion, 20, 20);
    PaneLeftDrag(motion, kNavigatorMode, 500, 15);
    EXPECT_EQ(motion.frameX, 480);
    PaneLeftUp(motion, kNavigatorMode);
    EXPECT_EQ(motion.panX, -30);
    ClampFrame(motion, {74, 62}, 184, 92);
    EXPECT_EQ(motion.frameX, 184 - 74 - 1);
    EXPECT_EQ(motion.frameY, 0);

    Box bands[4];
    FrameBands(10, 20, {30, 15}, 1, bands);  // both ends included: corners inverted twice
    EXPECT_EQ(bands[1].top, 35);
    EXPECT_EQ(bands[1].width, 31);
    EXPECT_EQ(bands[3].left, 40);
    EXPECT_EQ(bands[3].height, 16);
}

}  // namespace
