// The controls' state machines, natively, where the windows' tests do not
// reach: scroll codes the arrows never send in a click, points on a
// button's edges, a second release, and every skin-set rule. (Which
// bitmaps and captions a skin paints is in the gallery's reference
// pictures.)
#include <gtest/gtest.h>

#include "controls/ButtonModel.h"
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

TEST(Buttons, EdgesSecondReleasesAndSkinSets) {
    uint8_t face = kFaceNormal;
    ButtonMove(face, 10, 5, 40, 19, false);
    EXPECT_FALSE(ButtonMove(face, 40, 19, 40, 19, false).releaseCapture);  // right and bottom edges: inside
    EXPECT_EQ(face, kFaceHover);
    ButtonPress(face);
    EXPECT_TRUE(ButtonRelease(face).click);
    EXPECT_FALSE(ButtonRelease(face).click);  // one press, one click
    uint8_t hover = 1;
    EXPECT_TRUE(HoverMove(hover, 60, 22, 60, 23, false).releaseCapture);  // a system button's edge: outside
    EXPECT_FALSE(HoverEnd(hover).repaint);  // nothing lit, nothing to repaint

    EXPECT_EQ(ChooseSkinSet(true, true, true, 1), SkinSet::Normal);  // disabled wins
    EXPECT_EQ(ChooseSkinSet(false, true, true, 1), SkinSet::Pressed);
    EXPECT_EQ(ChooseSkinSet(false, false, true, 1), SkinSet::Hover);
    EXPECT_EQ(ChooseSkinSet(false, false, false, 1), SkinSet::Default);
    EXPECT_EQ(ChooseSkinSet(false, false, false, 2), SkinSet::Normal);
}

}  // namespace
