// "Spin Edit CPP" driven with real messages: typing, Escape, the arrows,
// the slider, focus, and its "Set value" dialog.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <map>

#include "ToolkitFixture.h"
#include "controls/SpinEdit.h"
#include "resources/ResourceIds.h"

namespace {

class SpinEditTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        spin = FindControl<SpinEditState>(CreateControl(kSpinEditClass, 1112, 20, 20, 78, 47));
        ASSERT_NE(spin, nullptr);
        std::strcpy(spin->name, "Space");
        Set(0, 100, 50);
    }
    void Set(float minimum, float maximum, float value) {
        SpinEditSetRange(spin, minimum, maximum);
        SpinEditSetValue(spin, value);
        TheOwner().notes.clear();
    }
    // Typed into the field, then the focus leaves it.
    void Type(const char* text) {
        SetFocus(spin->editWindow);
        SetWindowTextA(spin->editWindow, text);
        SetFocus(TheOwner().window);
    }
    std::string Text() const { return TextOf(spin->editWindow); }
    void ClickArrow(bool up) {
        RECT r;
        GetClientRect(spin->upDownWindow, &r);
        const int y = up ? 2 : r.bottom - 3;
        SendMouse(spin->upDownWindow, WM_LBUTTONDOWN, r.right / 2, y, MK_LBUTTON);
        SendMouse(spin->upDownWindow, WM_LBUTTONUP, r.right / 2, y);
    }
    size_t Notes() const { return NotesFrom(1112).size(); }
    SpinEditState* spin = nullptr;
};

TEST_F(SpinEditTest, TypedTextIsClampedShownInTheFieldsFormatAndReportedWhenItChanged) {
    const struct {
        bool integer;
        float initial;
        const char* typed;
        const char* shown;
        float value;
        size_t notes;
    } cases[] = {{false, 50, "250", "100.00", 100, 1}, {false, 12, "12.001", "12.00", 12.001f, 0},
                 {true, 3, "7.9", "7", 7.9f, 1}};
    for (const auto& c : cases) {
        spin->integerMode = c.integer;
        Set(0, 100, c.initial);
        Type(c.typed);
        EXPECT_EQ(Text(), c.shown) << c.typed;
        EXPECT_EQ(spin->value, c.value) << c.typed;
        ASSERT_EQ(Notes(), c.notes) << c.typed;
        for (const Notification& note : NotesFrom(1112))
            EXPECT_EQ(note.lParam, reinterpret_cast<LPARAM>(spin->editWindow));
    }
}

TEST_F(SpinEditTest, EscapeRestoresTheStoredValueSilently) {
    SetWindowTextA(spin->editWindow, "33");
    SendMessageA(spin->head.window, WM_COMMAND, MAKEWPARAM(1, RevertCode), 0);
    EXPECT_EQ(Text(), "50.00");
    EXPECT_EQ(Notes(), 0u);
}

// A click sends one position and the end of the action; an arrow held
// down sends more positions first (the native arrow rules, StatesTest).
TEST_F(SpinEditTest, ArrowsStepWholeUnitsOverTheTruncatedSignedRange) {
    Set(0, 100, 99.5f);
    ClickArrow(true);
    EXPECT_EQ(Text(), "100.00");
    EXPECT_EQ(Notes(), 1u);
    Set(-50, 50, 0);
    ClickArrow(false);
    EXPECT_EQ(Text(), "-1.00");
    EXPECT_EQ(Notes(), 1u);
    // Without per-step notification, only the end of the action reports.
    spin->notifyEachStep = 0;
    ClickArrow(false);
    EXPECT_EQ(Text(), "-2.00");
    EXPECT_EQ(Notes(), 2u);
}

TEST_F(SpinEditTest, SliderDragsTheValueAndReportsOnReleaseOrOnEveryMoveWhenAsked) {
    // The slider's client is 74 wide: a span of 64 pixels from x 5.
    for (BYTE everyMove : {0, 1}) {
        spin->slider->notifyWhileDragging = everyMove;
        TheOwner().notes.clear();
        SendMouse(spin->sliderWindow, WM_LBUTTONDOWN, 21, 5, MK_LBUTTON);
        SendMouse(spin->sliderWindow, WM_MOUSEMOVE, 37, 5, MK_LBUTTON);
        EXPECT_EQ(Text(), "50.00");
        SendMouse(spin->sliderWindow, WM_MOUSEMOVE, 200, 5, MK_LBUTTON);
        EXPECT_EQ(Text(), "100.00");
        SendMouse(spin->sliderWindow, WM_LBUTTONUP, 21, 5);
        EXPECT_EQ(spin->value, 25);
        const std::vector<Notification> notes = NotesFrom(1112);
        ASSERT_EQ(notes.size(), everyMove ? 3u : 1u);
        for (size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(notes[i].lParam, i + 1 < notes.size() ? 1 : 0);
        EXPECT_EQ(GetFocus(), spin->editWindow);  // the keyboard stays on the field
    }
}

TEST_F(SpinEditTest, FocusGoesToTheFieldAndDisablingLeavesTheSliderAlone) {
    SetFocus(spin->head.window);
    EXPECT_EQ(GetFocus(), spin->editWindow);
    DWORD from = 1, to = 0;
    SendMessageA(spin->editWindow, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 5u);  // "50.00"
    EnableWindow(spin->head.window, FALSE);
    EXPECT_FALSE(IsWindowEnabled(spin->editWindow));
    EXPECT_FALSE(IsWindowEnabled(spin->upDownWindow));
    EXPECT_TRUE(IsWindowEnabled(spin->sliderWindow));
}

TEST_F(SpinEditTest, SetValueDialogKeepsItsRulesAndAppliesOnOk) {
    std::map<int, std::string> shown;
    HWND dialog = nullptr;
    const auto item = [&](int id) { return GetDlgItem(dialog, id); };
    Owner& owner = TheOwner();
    owner.idleSteps.push_back([&](HWND d) {
        dialog = d;
        for (int id : {kValueNameText, kCurrentValue1Text, kCurrentValue2Text, kValueTypeText, kRecommendedRangeText,
                       kNewValue1Edit, kNewMinimumEdit, kNewMaximumEdit})
            shown[id] = TextOf(item(id));
        EXPECT_FALSE(IsWindowEnabled(item(kNewValue2Edit)));
        SetFocus(item(kNewMinimumEdit));
        SetWindowTextA(item(kNewMinimumEdit), "100");  // not below the maximum
        SetFocus(item(kNewMaximumEdit));
    });
    owner.idleSteps.push_back([&](HWND) {
        EXPECT_EQ(TextOf(item(kNewMinimumEdit)), "0.00");
        SetWindowTextA(item(kNewMaximumEdit), "88");
        PostMessageA(item(kNewMaximumEdit), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    owner.idleSteps.push_back([&](HWND) {
        EXPECT_EQ(TextOf(item(kNewMaximumEdit)), "100.00");  // Escape restored this field only
        SetFocus(item(kNewValue1Edit));
        SetWindowTextA(item(kNewValue1Edit), "250");
        PostMessageA(item(kNewValue1Edit), WM_KEYDOWN, VK_RETURN, 0);
    });
    owner.idleSteps.push_back([&](HWND) {
        EXPECT_EQ(GetFocus(), item(kNewMinimumEdit));  // Enter moved on, past the disabled field
        EXPECT_EQ(TextOf(item(kNewValue1Edit)), "100.00");
        SetWindowTextA(item(kNewMinimumEdit), "10");
        SetFocus(item(kNewMaximumEdit));
        SetWindowTextA(item(kNewMaximumEdit), "90");
        SendMessageA(item(IDOK), BM_CLICK, 0, 0);
    });
    SendMouse(spin->sliderWindow, WM_RBUTTONDOWN, 10, 5);
    EXPECT_TRUE(owner.idleSteps.empty());
    EXPECT_FALSE(owner.dialogLeftOpen);
    EXPECT_EQ(shown[kValueNameText], "Space");
    EXPECT_EQ(shown[kCurrentValue1Text], "50.00");
    EXPECT_EQ(shown[kCurrentValue2Text], "Not used");
    EXPECT_EQ(shown[kValueTypeText], "Float slider");
    EXPECT_EQ(shown[kRecommendedRangeText], "0.00 ... 100.00");
    EXPECT_EQ(shown[kNewMinimumEdit], "0.00");
    EXPECT_EQ(shown[kNewMaximumEdit], "100.00");

    EXPECT_EQ(spin->value, 100);  // not forced into the new range
    EXPECT_EQ(spin->minimum, 10);
    EXPECT_EQ(spin->maximum, 90);
    EXPECT_EQ(spin->slider->maximum, 90);
    EXPECT_EQ(Notes(), 0u);  // posted: it arrives after the dialog
    Pump();
    ASSERT_EQ(Notes(), 1u);
    EXPECT_EQ(NotesFrom(1112)[0].lParam, 0);

    // Cancel with the focus on a button closes without applying.
    owner.idleSteps.push_back([&](HWND d) { SendMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); });
    SendMessageA(spin->head.window, WM_RBUTTONDOWN, 0, 0);
    Pump();
    EXPECT_EQ(Notes(), 1u);
    EXPECT_EQ(spin->minimum, 10);
}

}  // namespace
