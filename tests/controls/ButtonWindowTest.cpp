// The push buttons driven with real messages: a bitmap button's faces and
// click, and the skinned buttons' hover tracking and painting.
#include <windows.h>

#include "ToolkitFixture.h"
#include "controls/PushButtons.h"
#include "resources/ResourceIds.h"

namespace {

using ButtonTest = ToolkitTest;

TEST_F(ButtonTest, BitmapButtonShowsEachFaceAndAPressReleasedAnywhereClicks) {
    HWND window = CreateControl(kControlButtonClass, 1081, 300, 20, 40, 19);
    ButtonState* button = FindControl<ButtonState>(window);
    ASSERT_NE(button, nullptr);
    ButtonLoadBitmaps(button, kHelpFaceNormalBitmap, kHelpFaceHoverBitmap, kHelpFacePressedBitmap);
    const Picture normal = PrintClient(window, 40, 19);

    SendMouse(window, WM_MOUSEMOVE, 10, 5);
    EXPECT_EQ(button->state, 1);
    EXPECT_EQ(GetCapture(), window);
    const Picture hover = PrintClient(window, 40, 19);
    EXPECT_NE(hover.pixels, normal.pixels);
    SendMouse(window, WM_MOUSEMOVE, 60, 5);
    EXPECT_EQ(button->state, 0);
    EXPECT_NE(GetCapture(), window);
    EXPECT_EQ(PrintClient(window, 40, 19).pixels, normal.pixels);

    SendMouse(window, WM_LBUTTONDOWN, 10, 5, MK_LBUTTON);
    EXPECT_EQ(GetFocus(), window);
    const Picture pressed = PrintClient(window, 40, 19);
    EXPECT_NE(pressed.pixels, hover.pixels);
    EXPECT_NE(pressed.pixels, normal.pixels);
    SendMouse(window, WM_MOUSEMOVE, -30, 5, MK_LBUTTON);  // dragged off: still pressed
    EXPECT_EQ(button->state, 2);
    SendMouse(window, WM_LBUTTONUP, -30, 5);
    EXPECT_EQ(button->state, 0);
    EXPECT_TRUE(NotesFrom(1081).empty());  // posted
    Pump();
    EXPECT_EQ(NotesFrom(1081).size(), 1u);

    // A window that takes the mouse away leaves no face lit.
    SendMouse(window, WM_MOUSEMOVE, 10, 5);
    SetCapture(TheOwner().window);
    EXPECT_EQ(button->state, 0);
    ReleaseCapture();
}

// (How the skins look in every state is the gallery's reference picture.)
TEST_F(ButtonTest, SkinnedButtonsTrackTheMouseOverThemWithTheirOwnFlag) {
    HWND ok = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 100, 23,
                              TheOwner().window, reinterpret_cast<HMENU>(INT_PTR(IDOK)), nullptr, nullptr);
    ASSERT_TRUE(InstallHoverButtonProc(ok, SkinHoverFlag(IDOK)));
    EXPECT_FALSE(InstallHoverButtonProc(ok, SkinHoverFlag(IDOK)));  // once per button
    const BYTE* hover = SkinHoverFlag(IDOK);
    SendMouse(ok, WM_MOUSEMOVE, 50, 10);
    EXPECT_EQ(*hover, 1);
    EXPECT_EQ(GetCapture(), ok);
    SendMouse(ok, WM_MOUSEMOVE, 100, 10);  // the right edge is outside
    EXPECT_EQ(*hover, 0);
    EXPECT_NE(GetCapture(), ok);

    // A press dragged off keeps the button's own capture, so it still sees
    // the release (and, off the button, makes no click of it).
    SendMouse(ok, WM_MOUSEMOVE, 50, 10);
    SendMouse(ok, WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    SendMouse(ok, WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
    EXPECT_EQ(*hover, 0);
    EXPECT_EQ(GetCapture(), ok);
    SendMouse(ok, WM_LBUTTONUP, 150, 10);
    EXPECT_NE(GetCapture(), ok);
    Pump();
    EXPECT_TRUE(NotesFrom(IDOK).empty());

    // A click that ends over the button clears the flag: no face stays lit.
    SendMouse(ok, WM_MOUSEMOVE, 50, 10);
    SendMouse(ok, WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    SendMouse(ok, WM_LBUTTONUP, 50, 10);
    EXPECT_EQ(*hover, 0);
    Pump();
    EXPECT_EQ(NotesFrom(IDOK).size(), 1u);
}

}  // namespace
