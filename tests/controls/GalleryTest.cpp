// Every control in each of its states at 96 and 192 DPI: one screenshot of
// them all and of both value dialogs (build/test-artifacts/controls/), and
// what the toolkit paints itself, through WM_PRINTCLIENT into memory,
// compared with reviewed reference pictures (tests/controls/reference/).
#include <windows.h>

#include <cstring>
#include <string>

#include "ToolkitFixture.h"
#include "controls/PreviewPane.h"
#include "controls/PushButtons.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"
#include "resources/ResourceIds.h"

namespace {

class Gallery : public ToolkitTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override { Open(GetParam()); }
    HWND Make(const char* className, int id, int x, int y, int width, int height) {
        HWND window = CreateControl(className, id, S(x), S(y), S(width), S(height));
        pieces.push_back(window);
        return window;
    }
    std::vector<HWND> pieces;  // custom-painted faces, in the reference's order
};

// A diagonal colour ramp standing in for a rendered engraving.
HBITMAP RampPicture(int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y) * width + x] = uint32_t(40 + 200 * x / width) << 16 | uint32_t(60 + 150 * y / height) << 8 | 150;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return picture;
}

TEST_P(Gallery, EveryControlInEachState) {
    const std::string dpi = std::to_string(GetParam());
    const struct {
        float value;
        bool integer, disabled, limited;
    } spins[] = {{42.5f, false, false, false}, {7.9f, true, false, false}, {20, false, true, false}, {60, false, false, true}};
    for (int i = 0; i < 4; ++i) {
        SpinEditState* spin = FindControl<SpinEditState>(CreateControl(kSpinEditClass, 1112 + i, S(10 + 90 * i), S(10), S(78), S(47)));
        ASSERT_NE(spin, nullptr);
        pieces.push_back(spin->sliderWindow);
        std::strcpy(spin->name, "Space");
        spin->integerMode = spins[i].integer;
        spin->slider->limited = spins[i].limited;
        spin->slider->lowerMark = 20;
        spin->slider->upperMark = 80;
        SpinEditSetRange(spin, 0, 100);
        SpinEditSetValue(spin, spins[i].value);
        EnableWindow(spin->head.window, !spins[i].disabled);
    }
    for (int i = 0; i < 3; ++i) {
        RotorState* rotor = FindControl<RotorState>(Make(kRotorClass, 1061, 10 + 100 * i, 70, 90, 90));
        rotor->mode = kRotorAngleMode;
        std::strcpy(rotor->name, "Angle");
        RotorCreateEdit(rotor, 50);
        RotorSetValues(rotor, float(i == 0 ? 0 : i == 1 ? 90 : 225), 0);
    }
    const struct {
        int normal, hover, pressed, x, width, height;
    } faces[] = {{kAboutFaceNormalBitmap, kAboutFaceHoverBitmap, kAboutFacePressedBitmap, 320, 195, 18},
                 {kHelpFaceNormalBitmap, kHelpFaceHoverBitmap, kHelpFacePressedBitmap, 530, 40, 19}};
    for (const auto& face : faces) {
        for (BYTE state = 0; state < 3; ++state) {
            ButtonState* button = FindControl<ButtonState>(Make(kControlButtonClass, 1080, face.x, 70 + 25 * state, face.width, face.height));
            ButtonLoadBitmaps(button, face.normal, face.hover, face.pressed);
            button->state = state;
        }
    }
    const int skinned[5] = {IDOK, IDCANCEL, 1074, 1078, 1110};  // default, hover, pressed, disabled, normal
    for (int i = 0; i < 5; ++i) {
        HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, S(10 + 96 * i), S(175), S(86),
                                      S(23), TheOwner().window, reinterpret_cast<HMENU>(INT_PTR(skinned[i])), nullptr, nullptr);
        pieces.push_back(button);
        if (i == 1) *SkinHoverFlag(IDCANCEL) = 1;
        if (i == 2) SendMessageA(button, BM_SETSTATE, TRUE, 0);
        if (i == 3) EnableWindow(button, FALSE);
    }
    PreviewPaneState* panes[3];
    for (int i = 0; i < 3; ++i) {
        panes[i] = FindControl<PreviewPaneState>(Make(kPreviewContainerClass, 1102, 10 + 195 * i, 210, 185, 154));
        panes[i]->picture = RampPicture(S(i == 2 ? 184 : 185), S(i == 2 ? 92 : 154));
        panes[i]->pictureWidth = S(i == 2 ? 184 : 185);
        panes[i]->pictureHeight = S(i == 2 ? 92 : 154);
    }
    panes[1]->motion.dragX = S(24);  // the old picture follows the mouse
    panes[1]->motion.dragY = S(-12);
    panes[2]->mode = kNavigatorMode;
    panes[2]->previewPane = panes[0];
    panes[2]->pictureY = S(31);
    panes[2]->navigatorScale = 3.0f;
    panes[2]->motion.frameX = S(60);
    panes[2]->motion.frameY = S(20);

    SetFocus(TheOwner().window);
    SaveArtifact(Grab(TheOwner().window), "controls-" + dpi);
    std::vector<Picture> painted;
    for (HWND piece : pieces) {
        RECT client;
        GetClientRect(piece, &client);
        painted.push_back(PrintClient(piece, client.right, client.bottom));
    }
    ExpectMatchesReference(Beside(painted, S(4)), "painted-" + dpi);

    const std::pair<HWND, const char*> valueControls[] = {{GetParent(pieces[0]), "spin"}, {pieces[4], "rotor"}};
    for (const auto& control : valueControls) {
        TheOwner().idleSteps.push_back([&](HWND dialog) {
            SaveArtifact(Grab(dialog), std::string("value-dialog-") + control.second + "-" + dpi);
            EndDialog(dialog, IDCANCEL);
        });
        SendMessageA(control.first, WM_RBUTTONDOWN, 0, 0);
        EXPECT_TRUE(TheOwner().idleSteps.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, Gallery, ::testing::Values(96, 144, 192));  // 144: pictures resized

}  // namespace
