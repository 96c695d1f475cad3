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

// The label font and the background are in the gallery's reference
// pictures; the edit font only here.
TEST_F(FrameworkTest, ThirteenClassesAndTheSharedResourcesLiveFromRegisterToUnregister) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA info;
    for (const char* name : kClassNames) EXPECT_TRUE(GetClassInfoA(instance, name, &info)) << name;
    for (int dpi : {96, 192}) {
        Close();
        Open(dpi);
        LOGFONTA font = {};
        ASSERT_TRUE(GetObjectA(gToolkit.editFont, sizeof font, &font));
        EXPECT_EQ(font.lfHeight, 12 * dpi / 96);
    }
    HFONT font = gToolkit.editFont;
    Close();
    LOGFONTA gone;
    EXPECT_EQ(GetObjectA(font, sizeof gone, &gone), 0);
    for (const char* name : kClassNames) EXPECT_FALSE(GetClassInfoA(instance, name, &info)) << name;
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
