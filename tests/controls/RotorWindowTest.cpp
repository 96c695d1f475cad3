// "Rotor CPP" in Angle mode driven with real messages: pressing, dragging
// whole turns, typing, Escape, steps and its "Set value" dialog.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "ToolkitFixture.h"
#include "controls/Rotor.h"
#include "resources/ResourceIds.h"

namespace {

class RotorTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        rotor = FindControl<RotorState>(CreateControl(kRotorClass, 1061, 200, 20, 90, 90));
        ASSERT_NE(rotor, nullptr);
        std::strcpy(rotor->name, "Angle");
        rotor->mode = kRotorAngleMode;
        RotorCreateEdit(rotor, 50);
        RotorSetValues(rotor, 45, 0);
    }
    // A mouse message at `degrees` (clockwise from up), 30 pixels out.
    void At(UINT message, float degrees, WPARAM keys = 0) {
        const float a = degrees * 3.14159265f / 180.0f;
        SendMouse(rotor->head.window, message, 45 + int(std::lround(30 * std::sin(a))),
                  45 - int(std::lround(30 * std::cos(a))), keys);
    }
    void Type(const char* text) {
        SetFocus(rotor->editWindow);
        SetWindowTextA(rotor->editWindow, text);
        SetFocus(TheOwner().window);
    }
    std::vector<Notification> Notes() const { return NotesFrom(1061); }
    RotorState* rotor = nullptr;
};

// (The exact directions are the native geometry test's.)
TEST_F(RotorTest, APressTurnsTheMarkerADragCountsWholeTurnsAndTheReleaseReportsOnce) {
    At(WM_LBUTTONDOWN, 350, MK_LBUTTON);
    EXPECT_NEAR(rotor->value, 350, 1.0);
    const struct {
        float degrees, value;
    } drag[] = {{10, 370}, {100, 460}, {200, 560}, {300, 660}, {350, 710}, {10, 730},  // twice through the top
                {350, 710}, {200, 560}, {80, 440}, {350, 350}, {200, 200}, {10, 10},  // and back
                {350, -10}};
    for (const auto& step : drag) {
        At(WM_MOUSEMOVE, step.degrees, MK_LBUTTON);
        EXPECT_NEAR(rotor->value, step.value, 1.0) << step.degrees;  // whole pixels: within a degree
    }
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.2f", double(rotor->value));
    EXPECT_EQ(TextOf(rotor->editWindow), shown);
    EXPECT_EQ(GetFocus(), rotor->editWindow);
    EXPECT_TRUE(Notes().empty());  // nothing until the button goes up
    At(WM_LBUTTONUP, 350);
    ASSERT_EQ(Notes().size(), 1u);
    EXPECT_EQ(Notes()[0].code, DragDoneCode);
    EXPECT_EQ(Notes()[0].lParam, 0);
}

TEST_F(RotorTest, TypedStepsAndRevertedValues) {
    Type("45.004");
    EXPECT_TRUE(Notes().empty());  // equal at two decimals
    Type("46");
    ASSERT_EQ(Notes().size(), 1u);
    EXPECT_EQ(Notes()[0].code, 0);
    EXPECT_EQ(rotor->value, 46);
    Type("nan");
    EXPECT_EQ(TextOf(rotor->editWindow), "0.00");
    SetWindowTextA(rotor->editWindow, "123");
    SendMessageA(rotor->head.window, WM_COMMAND, MAKEWPARAM(1, RevertCode), 0);
    EXPECT_EQ(TextOf(rotor->editWindow), "0.00");
    EXPECT_EQ(Notes().size(), 2u);

    RotorSetValues(rotor, 45.5f, 0);
    SendMessageA(rotor->head.window, WM_COMMAND, 2, 0);
    EXPECT_EQ(rotor->value, 46);
    EXPECT_EQ(Notes().size(), 3u);
    SendMessageA(rotor->head.window, WM_COMMAND, 3, 1);  // a silent step down
    EXPECT_EQ(rotor->value, 45);
    EXPECT_EQ(Notes().size(), 3u);
}

TEST_F(RotorTest, SetValueDialogTakesAnyAngleForAnUnlimitedDial) {
    std::string type, range, second;
    bool rangeEditable = true;
    TheOwner().idleSteps.push_back([&](HWND d) {
        type = TextOf(GetDlgItem(d, kValueTypeText));
        range = TextOf(GetDlgItem(d, kRecommendedRangeText));
        second = TextOf(GetDlgItem(d, kCurrentValue2Text));
        rangeEditable = IsWindowEnabled(GetDlgItem(d, kNewMinimumEdit)) || IsWindowEnabled(GetDlgItem(d, kNewMaximumEdit));
        SetFocus(GetDlgItem(d, kNewValue1Edit));
        SetWindowTextA(GetDlgItem(d, kNewValue1Edit), "400");
        SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
    });
    SendMouse(rotor->head.window, WM_RBUTTONDOWN, 10, 10);
    EXPECT_EQ(type, "Float angle");
    EXPECT_EQ(range, "Not limit");
    EXPECT_EQ(second, "Not used");
    EXPECT_FALSE(rangeEditable);
    EXPECT_EQ(rotor->value, 400);
    EXPECT_EQ(TextOf(rotor->editWindow), "400.00");
    Pump();
    EXPECT_EQ(Notes().size(), 1u);
}

}  // namespace
