// What every toolkit class shares: registration and release, the shared
// resources at both DPIs, records found by exact class, ready records, and
// the creation size the controls keep painting with.
#include <windows.h>

#include "ToolkitFixture.h"
#include "controls/SpinEdit.h"
#include "resources/ResourceIds.h"

namespace {

const char* const kClassNames[13] = {
    "Control CPP",    "Control Button Fire CPP", "Control Glass CPP",    "Control Button CPP",
    "Contaner Anim CPP", "Contaner CPP",         "Rotor CPP",            "Mac Slider CPP",
    "Glass Slider CPP", "Preview Contaner CPP",  "Contaner Color CPP",   "Spin Edit CPP",
    "Color Equalizer CPP"};

using FrameworkTest = ToolkitTest;

TEST_F(FrameworkTest, ThirteenClassesAndTheSharedResourcesLiveFromRegisterToUnregister) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const char* name : kClassNames) {
        WNDCLASSA info = {};
        ASSERT_TRUE(GetClassInfoA(instance, name, &info)) << name;
        EXPECT_EQ(info.style, 0u) << name;
        EXPECT_EQ(info.cbWndExtra, 4) << name;
        EXPECT_EQ(info.hbrBackground, gToolkit.backgroundBrush) << name;
        const bool pane = std::string(name) == "Preview Contaner CPP";
        EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, pane ? IDC_SIZEALL : IDC_ARROW)) << name;
    }
    LOGBRUSH brush = {};
    GetObjectA(gToolkit.backgroundBrush, sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, RGB(232, 232, 232));
    for (int dpi : {96, 192}) {
        Close();
        Open(dpi);
        const struct {
            HFONT font;
            LONG height;
        } fonts[] = {{gToolkit.editFont, 12}, {gToolkit.labelFont, 14}};
        for (const auto& f : fonts) {
            LOGFONTA font = {};
            ASSERT_TRUE(GetObjectA(f.font, sizeof font, &font));
            EXPECT_EQ(font.lfHeight, f.height * dpi / 96);
            EXPECT_EQ(font.lfWeight, 700);
            EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
            EXPECT_STREQ(font.lfFaceName, "Arial");
        }
    }
    HFONT font = gToolkit.editFont;
    Close();
    LOGFONTA gone;
    EXPECT_EQ(GetObjectA(font, sizeof gone, &gone), 0);
    for (const char* name : kClassNames) {
        WNDCLASSA info;
        EXPECT_FALSE(GetClassInfoA(instance, name, &info)) << name;
    }
    Open(96);
}

TEST_F(FrameworkTest, EveryPictureIsThereAtBothScales) {
    const int ids[] = {115, 116, 117, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 136, 137, 138, 162, 163, 164};
    for (int id : ids) {
        BITMAP single = {}, twice = {};
        HBITMAP one = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        HBITMAP two = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id + kDoubleSizeBitmapOffset));
        ASSERT_TRUE(GetObjectA(one, sizeof single, &single) && GetObjectA(two, sizeof twice, &twice)) << id;
        EXPECT_EQ(twice.bmWidth, 2 * single.bmWidth) << id;
        EXPECT_EQ(twice.bmHeight, 2 * single.bmHeight) << id;
        DeleteObject(one);
        DeleteObject(two);
    }
}

TEST_F(FrameworkTest, RecordsAreFoundByExactClassAndKeepTheirCreationSize) {
    HWND colour = CreateControl("Contaner Color CPP", 5, 10, 10, 30, 20);
    EXPECT_EQ(FindControlState(colour, "Contaner CPP"), nullptr);
    EXPECT_EQ(FindControlState(colour, "contaner color cpp"), nullptr);
    const ControlState* head = FindControlState(colour, "Contaner Color CPP");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->window, colour);
    EXPECT_EQ(head->identifier, 5);
    EXPECT_EQ(head->width, 30);
    EXPECT_EQ(head->height, 20);

    // A record made by the creator is taken as it is.
    MacSliderState* ready = new MacSliderState();
    ready->maximum = 10;
    HWND slider = CreateControl(kMacSliderClass, 7, 10, 40, 110, 20, ready);
    EXPECT_EQ(FindControl<MacSliderState>(slider), ready);
    EXPECT_EQ(FindControl<SpinEditState>(slider), nullptr);
    EXPECT_EQ(ready->head.width, 110);

    // Moved and resized without telling the record: painted at the old size.
    MoveWindow(slider, 10, 40, 200, 20, FALSE);
    const Picture face = PrintClient(slider, 200, 20);
    EXPECT_NE(face.At(100, 7), 0xE8E8E8u);  // the track, ending at 110 - 5
    EXPECT_EQ(face.At(150, 7), 0u);         // never painted
}

}  // namespace
