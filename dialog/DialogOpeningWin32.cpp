// The parameter dialog opening and closing: presets, buttons, lists, the
// toolkit's records, the copies for Cancel and "Last Used Settings", check
// boxes, ranges and values, the panes and the first render.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "controls/Toolkit.h"
#include "dialog/DialogSession.h"
#include "dialog/PresetNames.h"
#include "dialog/Utf8Files.h"
#include "host/HostHandles.h"
#include "host/HostRects.h"
#include "host/PreviewSource.h"
#include "resources/ResourceIds.h"

namespace {

std::string ModulePathUtf8() {
    wchar_t path[1024] = {};
    const DWORD n = GetModuleFileNameW(static_cast<HMODULE>(gModule.moduleInstance), path, 1024);
    return n > 0 && n < 1024 ? Utf8FromWide(path) : std::string();
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void FillCombo(int id, const char* const* names, int count, int selected, const char* tooltip) {
    HWND combo = GetDlgItem(gDialog.window, id);
    AttachTooltip(combo, tooltip);
    if (SendMessageW(combo, CB_GETCOUNT, 0, 0) == 0) {
        SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(gToolkit.editFont), FALSE);
        for (int i = 0; i < count; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i]));
    }
    SendMessageW(combo, CB_SETCURSEL, WPARAM(selected), 0);
}

void PlaceBitmapButton(int id, int x, int y, int width, int height, int normal, int hover, int pressed,
                       const char* tooltip) {
    HWND button = GetDlgItem(gDialog.window, id);
    ButtonState* state = FindControl<ButtonState>(button);
    MoveWindow(button, ScaleToToolkitDpi(x), ScaleToToolkitDpi(y), ScaleToToolkitDpi(width),
               ScaleToToolkitDpi(height), FALSE);
    if (state) {
        state->head.width = ScaleToToolkitDpi(width);
        state->head.height = ScaleToToolkitDpi(height);
        ButtonLoadBitmaps(state, normal, hover, pressed);
    }
    AttachTooltip(button, tooltip);
}

void FindToolkitRecords() {
    gDialog.preview = FindControl<PreviewPaneState>(GetDlgItem(gDialog.window, kIdPreview));
    gDialog.navigator = FindControl<PreviewPaneState>(GetDlgItem(gDialog.window, kIdNavigator));
    if (gDialog.navigator) {
        gDialog.navigator->mode = kNavigatorMode;
        gDialog.navigator->previewPane = gDialog.preview;
    }
    for (int i = 0; i < kSpinEditCount; ++i) {
        const SpinEditBinding& b = kSpinEdits[i];
        SpinEditState* spin = FindControl<SpinEditState>(GetDlgItem(gDialog.window, b.id));
        gDialog.spins[i] = spin;
        if (!spin) continue;
        const SettingInfo& setting = SpinEditSetting(b);
        spin->integerMode = 0;
        const char* name = setting.valueCaption ? setting.valueCaption : setting.label;
        std::strncpy(spin->name, name, sizeof spin->name - 1);
        if (spin->editWindow) SendMessageW(spin->editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(gToolkit.editFont), FALSE);
        for (HWND part : {spin->editWindow, spin->upDownWindow, spin->sliderWindow})
            if (part) AttachTooltip(part, setting.tooltip);
    }
    gDialog.rotor = FindControl<RotorState>(GetDlgItem(gDialog.window, kIdRotor));
    if (gDialog.rotor) {
        std::strncpy(gDialog.rotor->name, "Angle", sizeof gDialog.rotor->name - 1);
        gDialog.rotor->mode = kRotorAngleMode;
        AttachTooltip(gDialog.rotor->head.window, FindParam("rotation")->tooltip);
    }
}

void TakeCopies() {
    FilterRecord* record = gDialog.context->filterRecord;
    const int32_t size = record->parameters ? GetHostHandleSize(record->parameters) : 0;
    const size_t bytes = size >= int32_t(sizeof(EngraveParams)) ? size_t(size) : sizeof(EngraveParams);
    gDialog.cancelCopy.assign(bytes, 0);
    if (EngraveParams* params = Record()) {
        std::memcpy(gDialog.cancelCopy.data(), *record->parameters, size > 0 ? size_t(size) : sizeof *params);
        gDialog.lastUsed = *params;
    }
}

void SetCheckBoxes(const EngraveParams& p) {
    struct Box {
        int id;
        bool checked;
        const char* setting;
    };
    const Box boxes[] = {{kIdAutoUpdate, p.autoUpdate != 0, "autoUpdate"},   {kIdNotBreak, p.notBreak != 0, "notBreak"},
                         {kIdInvert, p.invertIntensity != 0, "invertIntensity"}, {kIdFillAlpha, p.fillAlpha != 0, "fillAlpha"},
                         {kIdSolidInk, p.noAntialias != 0, "noAntialias"},    {kIdCheckerboard, p.checkerboard != 0, "checkerboard"},
                         {kIdUseDots, p.useCircles != 0, "useCircles"}};
    for (const Box& b : boxes) {
        CheckDlgButton(gDialog.window, b.id, b.checked ? BST_CHECKED : BST_UNCHECKED);
        AttachTooltip(GetDlgItem(gDialog.window, b.id), FindParam(b.setting)->tooltip);
    }
}

}  // namespace

void OpenDialog(HWND window, FilterGlobals* context) {
    gDialog.~DialogSession();
    new (&gDialog) DialogSession();
    gDialog.window = window;
    gDialog.context = context;
    FilterRecord* record = context->filterRecord;
    gDialog.cmyk = record->imageMode == plugInModeCMYKColor || record->imageMode == plugInModeCMYK64;
    gDialog.planes = record->planes;
    const VRect filter = GetFilterRect(record);
    gDialog.imageWidth = RectWidth(filter);
    gDialog.imageHeight = RectHeight(filter);

    const std::string modulePath = ModulePathUtf8();
    gDialog.presetFolder = PresetFolderFromModulePath(modulePath);
    gDialog.helpPage = FolderOf(modulePath) + "LumericIIHelp\\lumericIIhelp.htm";

    for (int id : {kIdOk, kIdCancel, kIdSave, kIdDelete, kIdUpdate})
        InstallHoverButtonProc(GetDlgItem(window, id), SkinHoverFlag(id));
    gDialog.list = GetDlgItem(window, kIdPresetList);
    FillPresetList();
    SendMessageW(gDialog.list, WM_SETFONT, reinterpret_cast<WPARAM>(gToolkit.editFont), FALSE);
    AttachTooltip(gDialog.list, "Click to apply previously saved settings");
    AttachTooltip(GetDlgItem(window, kIdSave), "Save current parameters");
    AttachTooltip(GetDlgItem(window, kIdDelete), "Delete selected preset");

    PlaceBitmapButton(kIdHelp, 505, 15, 40, 19, kHelpFaceNormalBitmap, kHelpFaceHoverBitmap, kHelpFacePressedBitmap,
                      "Help and plug-in support information");
    PlaceBitmapButton(kIdAbout, 109, 17, 195, 18, kAboutFaceNormalBitmap, kAboutFaceHoverBitmap,
                      kAboutFacePressedBitmap, "About this sofware");
    HINSTANCE instance = static_cast<HINSTANCE>(gModule.moduleInstance);
    gDialog.banner = LoadToolkitBitmap(instance, kBannerBitmap);
    SendDlgItemMessageW(window, kIdBanner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(gDialog.banner));
    gDialog.progress = GetDlgItem(window, kIdProgress);

    RegisterPresetFileType(L".lmu", L"TarvelixLumericPSD_Saves");
    RegisterPresetFileType(L".lmv", L"CorvessaLumericPSD_Saves");

    EngraveParams* params = Record();
    if (!params) return;
    FillCombo(kIdColorSchema, kColorSchemaNames, kColorSchemaCount, params->colorSchema, "Color Schema");
    FillCombo(kIdPattern, kPatternNames, kPatternKindCount, params->pattern, "Geometry elements for lumeric pattern");
    FindToolkitRecords();
    TakeCopies();

    SetCheckBoxes(*params);
    AttachTooltip(GetDlgItem(window, kIdUpdate), "Manual preview redraw");
    gDialog.checkerOn = LoadToolkitBitmap(instance, kCheckerboardOnBitmap);
    gDialog.checkerOff = LoadToolkitBitmap(instance, kCheckerboardOffBitmap);
    ApplyAlphaRule(true);

    // The rest runs also when the host cannot deliver the image for a
    // preview: the controls then show the record all the same.
    if (gDialog.rotor) {
        RotorCreateEdit(gDialog.rotor, 50);
        RotorSetValues(gDialog.rotor, params->rotation, 0);
    }
    SetSpinEditRanges();
    ShowRecordInControls();
    // The panes need the whole image; a host that cannot deliver it gets a
    // dialog without previews, and its run goes window by window.
    if (params->canPreview) {
        const OSErr fetched = FetchWholeImage(record);
        if ((params = Record())) {
            if (fetched == noErr) gDialog.sourceReady = true;
            else params->canPreview = 0;
        }
    }
    gDialog.paintPending = true;
    RefreshNavigatorPicture();
    PlaceFrameFromView();
    if (CanPreview()) RenderPreviewNow();
    if ((params = Record())) ApplyPatternKind(params->pattern);
}

void CloseDialog() {
    if (gDialog.checkerOn) DeleteObject(gDialog.checkerOn);
    if (gDialog.checkerOff) DeleteObject(gDialog.checkerOff);
    if (gDialog.banner) DeleteObject(gDialog.banner);
    gDialog.checkerOn = gDialog.checkerOff = gDialog.banner = nullptr;
}
