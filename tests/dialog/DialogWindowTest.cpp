// The real module's parameter dialog under wine, run by a fake host with a
// real top-level window and driven with real messages from this thread:
// each step runs when the dialog (or a dialog it opened) waits for input.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

#include "controls/PreviewPane.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"
#include "dialog/DialogRules.h"
#include "dialog/PanePictures.h"
#include "tests/controls/WindowHarness.h"
#include "tests/support/FakeHost.h"
#include "tests/support/PngReader.h"

namespace {

using Step = std::function<void(HWND)>;

auto ModuleEntry() {
    static HMODULE module = LoadLibraryA(LUMERIC_MODULE_PATH);
    return reinterpret_cast<void(PI_CALL*)(int16_t, void*, intptr_t*, int16_t*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "PluginMain")));
}

std::string ModuleFolder() {
    std::string path = LUMERIC_MODULE_PATH;
    return path.substr(0, path.find_last_of("\\/") + 1);
}

// A dialog the parameter dialog opens (naming dialog, message box) gets the
// next step as soon as it is up, the way the main dialog gets its steps.
// Once per dialog, however often it is activated again.
HWND gNested = nullptr;

LRESULT CALLBACK WatchNestedDialogs(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && window != gNested) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, "#32770") == 0 && GetWindow(window, GW_OWNER) != TheOwner().window) {
            gNested = window;
            PostMessageA(TheOwner().window, WM_APP + 1, 0, reinterpret_cast<LPARAM>(window));
        }
    } else if (code == HCBT_DESTROYWND && window == gNested) {
        gNested = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

FakeImage Astronaut(int planes = 3, int16_t mode = plugInModeRGBColor) {
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    EXPECT_TRUE(ReadTestPng(LUMERIC_SAMPLES_DIR "/astronaut-rgba.png", &rgba, &w, &h));
    FakeImage image;
    image.width = w, image.height = h, image.planes = planes, image.mode = mode;
    image.samples.resize(size_t(w) * h * planes);
    const bool cmyk = mode == plugInModeCMYKColor;
    for (size_t i = 0; i < size_t(w) * h; ++i)
        for (int p = 0; p < planes; ++p) {
            const int alpha = cmyk ? 4 : 3;
            const uint8_t v = p == alpha ? rgba[4 * i + 3] : p < 3 ? rgba[4 * i + p] : 0;
            // The fake colour suite's CMYK is the negative with no black.
            image.samples[i * planes + p] = uint16_t(cmyk && p < 3 ? 255 - v : v);
        }
    return image;
}

// Runs Parameters, Prepare, Start (the dialog, with the steps) and the rest.
int16_t RunDialog(FakeHost& host, const std::vector<Step>& steps) {
    HWND owner = CreateOwnerWindow(800, 700);
    host.platform().hwnd = reinterpret_cast<intptr_t>(owner);
    for (const Step& step : steps) TheOwner().idleSteps.push_back(step);
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchNestedDialogs, nullptr, GetCurrentThreadId());
    const int16_t result = host.Run(true);
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(TheOwner().dialogLeftOpen) << "a dialog was still open after the last step";
    EXPECT_TRUE(TheOwner().idleSteps.empty()) << TheOwner().idleSteps.size() << " steps never ran";
    return result;
}

// The loaded module, asked by the play information to show its dialog.
FakeHostOptions WithModule() {
    FakeHostOptions options;
    options.entry = ModuleEntry();
    options.playInfo = plugInDialogDisplay;
    return options;
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
HWND EditOf(HWND dialog, int id) { return GetDlgItem(Item(dialog, id), 1); }

void Type(HWND dialog, int spinId, const char* text) {
    HWND spin = Item(dialog, spinId), edit = GetDlgItem(spin, 1);
    SetWindowTextA(edit, text);
    SendMessageA(spin, WM_COMMAND, MAKEWPARAM(1, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
}

void Click(HWND dialog, int id) {
    SetFocus(Item(dialog, id));
    SendMessageA(Item(dialog, id), BM_CLICK, 0, 0);
}

void Choose(HWND dialog, int comboId, int index) {
    SendMessageA(Item(dialog, comboId), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(Item(dialog, comboId)));
}

void Select(HWND dialog, int entry) {
    SendMessageA(Item(dialog, kIdPresetList), LB_SETCURSEL, WPARAM(entry), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kIdPresetList, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(dialog, kIdPresetList)));
}

// Enter and Escape as the dialog manager turns them into commands.
void Key(HWND dialog, UINT key) {
    const int id = key == VK_RETURN ? IDOK : IDCANCEL;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

PreviewPaneState* Pane(HWND dialog, int id) { return FindControl<PreviewPaneState>(Item(dialog, id)); }

// The preview pane's picture as red-green-blue, top row first.
std::vector<uint8_t> PictureRgb(const PreviewPaneState& pane) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, pane.pictureWidth, -pane.pictureHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> bgr(size_t(pane.pictureWidth) * pane.pictureHeight * 3);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, pane.picture, 0, UINT(pane.pictureHeight), bgr.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (size_t i = 0; i < bgr.size(); i += 3) std::swap(bgr[i], bgr[i + 2]);
    return bgr;
}

const Step kOk = [](HWND d) { Click(d, kIdOk); };

// Shift is shown in degrees of the stored phase, and stored back from them.
TEST(Dialog, OkKeepsWhatTheControlsShow) {
    FakeHost host(Astronaut(), WithModule());
    ASSERT_EQ(host.Call(filterSelectorParameters), noErr);
    host.params()->phaseShift = 1000;
    ASSERT_EQ(RunDialog(host, {[](HWND d) {
                                   EXPECT_EQ(TextOf(EditOf(d, kIdShift)), "180.00");
                                   Type(d, kIdSpace, "33");
                               },
                               [](HWND d) { Type(d, kIdShift, "90"); },
                               [](HWND d) { Type(d, kIdThresholdEdit, "250"); },
                               [](HWND d) {  // a press to the right of the dial's centre: 90 degrees
                                   const RotorState* rotor = FindControl<RotorState>(Item(d, kIdRotor));
                                   SendMouse(Item(d, kIdRotor), WM_LBUTTONDOWN, rotor->head.width - 3,
                                             rotor->head.height / 2, MK_LBUTTON);
                                   SendMouse(Item(d, kIdRotor), WM_LBUTTONUP, rotor->head.width - 3,
                                             rotor->head.height / 2);
                               },
                               [](HWND d) { Choose(d, kIdPattern, kSpiralWaves1); },
                               [](HWND d) { Choose(d, kIdColorSchema, kSplitColor); },
                               [](HWND d) { Click(d, kIdInvert); },
                               [](HWND d) { Click(d, kIdUseDots); }, kOk}),
              noErr);
    const EngraveParams& p = *host.params();
    EXPECT_EQ(p.space, 33.0f);
    EXPECT_NEAR(p.phaseShift, 500.0f, 1e-3);
    EXPECT_EQ(p.contrast, 250.0f);  // the spin edit labelled "Threshold"
    EXPECT_EQ(p.rotation, 90.0f);
    EXPECT_EQ(p.pattern, kSpiralWaves1);
    EXPECT_EQ(p.colorSchema, kSplitColor);
    EXPECT_EQ(p.invertIntensity, 0);
    EXPECT_EQ(p.invert, 1);
    EXPECT_EQ(p.useCircles, 1);
    EXPECT_EQ(p.showDialog, 0);
}

TEST(Dialog, CancelAndEscapeRestoreTheRecordByteForByte) {
    for (bool escape : {false, true}) {
        FakeHost host(Astronaut(), WithModule());
        std::vector<char> before;
        ASSERT_EQ(RunDialog(host, {[&](HWND) {
                                       const char* bytes = *host.record().parameters;
                                       before.assign(bytes, bytes + sizeof(EngraveParams));
                                   },
                                   [](HWND d) { Type(d, kIdWidth, "44"); }, [](HWND d) { Click(d, kIdSolidInk); },
                                   [](HWND d) { Choose(d, kIdPattern, kRings); },
                                   [escape](HWND d) {
                                       if (!escape) return Click(d, kIdCancel);
                                       SetFocus(Item(d, kIdPresetList));
                                       Key(d, VK_ESCAPE);
                                   }}),
                  userCanceledErr);
        ASSERT_EQ(before.size(), sizeof(EngraveParams));
        before[offsetof(EngraveParams, showDialog)] = 0;  // Start clears it after any dialog
        EXPECT_EQ(0, std::memcmp(*host.record().parameters, before.data(), before.size())) << "escape " << escape;
        EXPECT_EQ(host.advanceStateCalls, 1) << "only the preview's fetch: nothing is filtered";
    }
}

TEST(Dialog, EnterAndEscapeInAFieldStayInTheDialog) {
    FakeHost host(Astronaut(), WithModule());
    ASSERT_EQ(RunDialog(host, {[](HWND d) {
                                   SetFocus(EditOf(d, kIdSpace));
                                   SetWindowTextA(EditOf(d, kIdSpace), "77");
                                   Key(d, VK_RETURN);
                               },
                               [&](HWND d) {
                                   EXPECT_EQ(host.params()->space, 77.0f) << "Enter commits the field";
                                   EXPECT_NE(GetFocus(), EditOf(d, kIdSpace)) << "and moves on";
                                   SetFocus(EditOf(d, kIdSpace));
                                   SetWindowTextA(EditOf(d, kIdSpace), "12");
                                   Key(d, VK_ESCAPE);
                               },
                               [&](HWND d) {
                                   EXPECT_EQ(TextOf(EditOf(d, kIdSpace)), "77.00") << "Escape restores the field";
                                   EXPECT_EQ(host.params()->space, 77.0f);
                               },
                               kOk}),
              noErr);
}

TEST(Dialog, EachKindEnablesItsControls) {
    FakeHost host(Astronaut(), WithModule());
    std::vector<Step> steps;
    for (int kind = 0; kind < kPatternKindCount; ++kind)
        steps.push_back([kind](HWND d) {
            Choose(d, kIdPattern, kind);
            for (int id : {kIdCenterX, kIdCenterY, kIdCenterXLabel, kIdAmplitude, kIdFrequency, kIdShift, kIdShiftLabel})
                EXPECT_EQ(IsWindowEnabled(Item(d, id)) != 0, ControlActsForPattern(id, kind)) << kind << " " << id;
        });
    steps.push_back(kOk);
    ASSERT_EQ(RunDialog(host, steps), noErr);
    // Opening also names the preset files' type for the user's shell.
    char type[64] = {}, icon[1024] = {};
    LONG size = sizeof type, iconSize = sizeof icon;
    EXPECT_EQ(RegQueryValueA(HKEY_CURRENT_USER, "Software\\Classes\\.lmv", type, &size), ERROR_SUCCESS);
    EXPECT_STREQ(type, "CorvessaLumericPSD_Saves");
    EXPECT_EQ(RegQueryValueA(HKEY_CURRENT_USER, "Software\\Classes\\CorvessaLumericPSD_Saves\\DefaultIcon", icon,
                             &iconSize),
              ERROR_SUCCESS);
    EXPECT_NE(std::strstr(icon, "lumeric2.8bf,0"), nullptr) << icon;
}

// Also pictures of the whole dialog for a person to look at: a photo,
// transparency over the checkerboard, and CMYK shown through the host's
// colour suite (at 192 DPI too: dialog_screenshots_192dpi).
TEST(Dialog, FillAlphaAndCheckerboardFollowTheImagesAlpha) {
    struct Case {
        const char* name;
        int planes;
        int16_t mode;
        bool alpha;
    };
    for (const Case& c : {Case{"dialog-rgb", 3, plugInModeRGBColor, false}, Case{"dialog-rgba", 4, plugInModeRGBColor, true},
                          Case{"dialog-cmyk", 4, plugInModeCMYKColor, false},
                          Case{"dialog-cmyka", 5, plugInModeCMYKColor, true}}) {
        FakeHost host(Astronaut(c.planes, c.mode), WithModule());
        ASSERT_EQ(RunDialog(host, {[&](HWND d) {
                                       EXPECT_EQ(IsWindowEnabled(Item(d, kIdFillAlpha)) != 0, c.alpha) << c.name;
                                       EXPECT_FALSE(IsWindowEnabled(Item(d, kIdCheckerboard)));  // fill alpha is on
                                       if (c.alpha) Click(d, kIdFillAlpha);
                                   },
                                   [&](HWND d) {
                                       EXPECT_EQ(IsWindowEnabled(Item(d, kIdCheckerboard)) != 0, c.alpha) << c.name;
                                       HDC screen = GetDC(nullptr);
                                       const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
                                       ReleaseDC(nullptr, screen);
                                       SaveArtifact(Grab(d), std::string(c.name) + "-" + std::to_string(dpi), "dialog");
                                   },
                                   kOk}),
                  noErr);
    }
}

TEST(Dialog, AutoUpdateOffRendersOnlyOnUpdate) {
    FakeHost host(Astronaut(), WithModule());
    std::vector<uint8_t> shown;
    auto picture = [](HWND d) { return PictureRgb(*Pane(d, kIdPreview)); };
    ASSERT_EQ(RunDialog(host, {[](HWND d) { Click(d, kIdAutoUpdate); },
                               [&](HWND d) {
                                   shown = picture(d);
                                   Type(d, kIdWidth, "30");
                               },
                               [&](HWND d) {
                                   EXPECT_EQ(picture(d), shown) << "no render with auto update off";
                                   Click(d, kIdUpdate);
                               },
                               [&](HWND d) {
                                   EXPECT_NE(picture(d), shown) << "Update renders";
                                   shown = picture(d);
                                   Type(d, kIdWidth, "60");
                               },
                               [&](HWND d) { Click(d, kIdAutoUpdate); },
                               [&](HWND d) { EXPECT_NE(picture(d), shown) << "auto update on renders at once"; },
                               kOk}),
              noErr);
    EXPECT_EQ(host.params()->autoUpdate, 1);
}

// Panning: a drag in the preview moves the navigator's frame by the scaled
// distance, a frame moved in the navigator moves the view; the preview
// picture is then the final image at the view.
TEST(Dialog, PanningAndThePreviewIsTheFinalImageThere) {
    FakeHost host(Astronaut(), WithModule());
    std::vector<uint8_t> preview;
    int viewX = 0, viewY = 0, width = 0, height = 0;
    ASSERT_EQ(RunDialog(host, {[](HWND d) {
                                   HWND pane = Item(d, kIdPreview);
                                   SendMouse(pane, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
                                   SendMouse(pane, WM_MOUSEMOVE, 70, 90, MK_LBUTTON);
                                   SendMouse(pane, WM_LBUTTONUP, 70, 90);
                               },
                               [&](HWND d) {
                                   EXPECT_EQ(host.params()->viewX, 30);
                                   EXPECT_EQ(host.params()->viewY, 10);
                                   const PreviewPaneState* nav = Pane(d, kIdNavigator);
                                   const Point frame = FrameForView({30, 10}, nav->pictureWidth, nav->pictureHeight, 512, 512);
                                   EXPECT_EQ(nav->motion.frameX, frame.x);
                                   EXPECT_EQ(nav->motion.frameY, frame.y);
                                   HWND navigator = Item(d, kIdNavigator);
                                   const int x = nav->pictureX + frame.x + 2, y = nav->pictureY + frame.y + 2;
                                   SendMouse(navigator, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
                                   SendMouse(navigator, WM_MOUSEMOVE, x + 40, y + 30, MK_LBUTTON);
                                   SendMouse(navigator, WM_LBUTTONUP, x + 40, y + 30);
                               },
                               [&](HWND d) {
                                   const PreviewPaneState* nav = Pane(d, kIdNavigator);
                                   const Point view = ViewForFrame({nav->motion.frameX, nav->motion.frameY},
                                                                   nav->pictureWidth, nav->pictureHeight, 512, 512);
                                   viewX = host.params()->viewX, viewY = host.params()->viewY;
                                   EXPECT_EQ(viewX, view.x);
                                   EXPECT_EQ(viewY, view.y);
                                   const PreviewPaneState& pane = *Pane(d, kIdPreview);
                                   width = pane.pictureWidth, height = pane.pictureHeight;
                                   preview = PictureRgb(pane);
                               },
                               kOk}),
              noErr);
    ASSERT_GT(width, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(preview[(size_t(y) * width + x) * 3 + c], host.image().at(viewX + x, viewY + y, c))
                    << x << "," << y;
}

class DialogPresets : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(folder_.c_str(), nullptr);
        DeleteFileA((folder_ + "\\mine.lmv").c_str());
    }
    void TearDown() override {
        DeleteFileA((folder_ + "\\mine.lmv").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    bool Saved() const { return GetFileAttributesA((folder_ + "\\mine.lmv").c_str()) != INVALID_FILE_ATTRIBUTES; }
    static int Entries(HWND d) { return int(SendMessageA(Item(d, kIdPresetList), LB_GETCOUNT, 0, 0)); }
    static Step Name(const char* name) {
        return [name](HWND naming) {
            SetDlgItemTextA(naming, 1150, name);
            SendMessageA(GetDlgItem(naming, kIdSave), BM_CLICK, 0, 0);
        };
    }
    static Step Answer(int button) {
        return [button](HWND box) { PostMessageA(box, WM_COMMAND, button, 0); };
    }
    const std::string folder_ = ModuleFolder() + "Lumeric saves";
};

TEST_F(DialogPresets, SaveOverwriteLoadDeleteDefaultAndLastUsed) {
    FakeHost host(Astronaut(), WithModule());
    auto save = [](HWND d) { Click(d, kIdSave); };
    ASSERT_EQ(RunDialog(host, {[](HWND d) { Type(d, kIdSpace, "42"); }, save, Name("mine"),
                               [&](HWND d) {
                                   EXPECT_TRUE(Saved());
                                   EXPECT_EQ(Entries(d), 3);
                                   Type(d, kIdSpace, "50");
                               },
                               save, Name("mine"), Answer(IDNO), Name("mine.lmv"), Answer(IDCANCEL),
                               save, Name("mine"), Answer(IDYES),
                               [&](HWND d) {
                                   EXPECT_EQ(Entries(d), 3) << "an overwrite adds no entry";
                                   Select(d, 0);  // "Default"
                               },
                               [&](HWND d) {
                                   EXPECT_EQ(host.params()->space, 20.0f);
                                   Select(d, 2);  // mine: saved at 50
                               },
                               [&](HWND d) {
                                   EXPECT_EQ(host.params()->space, 50.0f);
                                   EXPECT_EQ(TextOf(EditOf(d, kIdSpace)), "50.00");
                                   EXPECT_TRUE(IsWindowEnabled(Item(d, kIdDelete)));
                                   Type(d, kIdSpace, "61");  // its refresh keeps the preset out of the snapshot
                               },
                               [](HWND d) { Type(d, kIdSpace, "62"); },  // the user's own setting
                               [](HWND d) { Select(d, 0); },             // "Default"
                               [](HWND d) { Click(d, kIdUpdate); },      // a refresh
                               [](HWND d) { Select(d, 1); },             // "Last Used Settings"
                               [&](HWND d) {
                                   EXPECT_EQ(host.params()->space, 62.0f) << "the settings before Default";
                                   Select(d, 2);
                                   Click(d, kIdDelete);
                               },
                               [&](HWND d) {
                                   EXPECT_FALSE(Saved());
                                   EXPECT_EQ(Entries(d), 2);
                                   EXPECT_FALSE(IsWindowEnabled(Item(d, kIdDelete)));
                               },
                               kOk}),
              noErr);
}

}  // namespace
