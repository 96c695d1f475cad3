// "Preview Contaner CPP" driven with real messages: panning the preview
// with either button, dragging the navigator's frame, and their painting.
#include <windows.h>

#include "ToolkitFixture.h"
#include "controls/PreviewPane.h"

namespace {

class PreviewTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        preview = FindControl<PreviewPaneState>(CreateControl(kPreviewContainerClass, 1102, 10, 10, 185, 154));
        navigator = FindControl<PreviewPaneState>(CreateControl(kPreviewContainerClass, 1031, 200, 10, 185, 154));
        ASSERT_TRUE(preview && navigator);
        navigator->mode = kNavigatorMode;
        navigator->previewPane = preview;
    }
    std::vector<Notification> Notes(int id) const { return NotesFrom(id); }
    PreviewPaneState* preview = nullptr;
    PreviewPaneState* navigator = nullptr;
};

// A picture of one colour, as the preview renderer would attach it.
HBITMAP SolidPicture(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, picture);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

TEST_F(PreviewTest, DraggingThePicturePansTheOppositeWayAndReportsTheRelease) {
    HWND pane = preview->head.window;
    SendMouse(pane, WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    SendMouse(pane, WM_MOUSEMOVE, 65, 55, MK_LBUTTON);
    SendMouse(pane, WM_MOUSEMOVE, 80, 60, MK_LBUTTON);
    EXPECT_TRUE(Notes(1102).empty());
    SendMouse(pane, WM_LBUTTONUP, 80, 60);
    EXPECT_EQ(preview->motion.panX, -30);
    EXPECT_EQ(preview->motion.panY, -10);
    // A click without a move still reports.
    SendMouse(pane, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(pane, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(preview->motion.panX, -30);
    // The right button: one report per move, one on release.
    SendMouse(pane, WM_RBUTTONDOWN, -5, 10, MK_RBUTTON);
    EXPECT_EQ(preview->motion.lastX, 0);
    for (int x : {10, 20, 30}) SendMouse(pane, WM_MOUSEMOVE, x, 10, MK_RBUTTON);
    SendMouse(pane, WM_RBUTTONUP, 30, 10);
    std::vector<int> codes;
    for (const Notification& note : Notes(1102)) codes.push_back(note.code);
    EXPECT_EQ(codes, (std::vector<int>{DragDoneCode, DragDoneCode, 0, 0, 0, DragDoneCode}));
}

TEST_F(PreviewTest, NavigatorFrameIsDraggedClampedAndDrawnInverted) {
    preview->pictureWidth = 185;
    preview->pictureHeight = 154;
    navigator->picture = SolidPicture(184, 92, RGB(200, 120, 40));
    navigator->pictureY = 31;
    navigator->pictureWidth = 184;
    navigator->pictureHeight = 92;
    navigator->navigatorScale = 2.5f;  // frame 74 x 62
    HWND pane = navigator->head.window;
    SendMouse(pane, WM_LBUTTONDOWN, 10, 40, MK_LBUTTON);
    SendMouse(pane, WM_MOUSEMOVE, 400, 45, MK_LBUTTON);  // far past the right edge
    SendMouse(pane, WM_LBUTTONUP, 400, 45);
    ASSERT_EQ(Notes(1031).size(), 1u);
    EXPECT_EQ(Notes(1031)[0].code, DragDoneCode);

    const Picture face = PrintClient(pane, 185, 154);
    EXPECT_EQ(navigator->frameWidth, 74);
    EXPECT_EQ(navigator->frameHeight, 62);  // 61.6 + 0.5, truncated
    EXPECT_EQ(navigator->motion.frameX, 184 - 74 - 1);
    EXPECT_EQ(navigator->motion.frameY, 5);
    const int left = 109, top = 31 + 5;
    EXPECT_EQ(face.At(left + 20, top), 0x3787D7u);  // edge: inverted
    EXPECT_EQ(face.At(left, top), 0xC87828u);        // corner: inverted twice
    EXPECT_EQ(face.At(left + 20, top + 20), 0xC87828u);  // inside
}

TEST_F(PreviewTest, WithoutAPictureAPaneDrawsItsDiagonalsAndFollowsADrag) {
    // The diagonal from the top-left corner crosses column 40 near row 33.
    const auto inkNear = [](const Picture& p, int row) {
        for (int y = row - 3; y <= row + 3; ++y)
            if (p.At(40, y) == 0) return true;
        return false;
    };
    const Picture resting = PrintClient(preview->head.window, 185, 154);
    EXPECT_TRUE(inkNear(resting, 33));
    EXPECT_FALSE(inkNear(resting, 53));
    SendMouse(preview->head.window, WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    SendMouse(preview->head.window, WM_MOUSEMOVE, 50, 70, MK_LBUTTON);
    const Picture dragged = PrintClient(preview->head.window, 185, 154);
    EXPECT_TRUE(inkNear(dragged, 53));
    EXPECT_FALSE(inkNear(dragged, 33));
}

}  // namespace
