// The parameter dialog's window procedure: opening, the commands of its
// controls, the keyboard rules of Enter and Escape, painting and colours.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "controls/Toolkit.h"
#include "dialog/DialogSession.h"
#include "host/Alert.h"
#include "host/HostHandles.h"
#include "host/NoThrowDialogProc.h"
#include "host/Selectors.h"

DialogSession gDialog;

namespace {

bool IsSpinEdit(int id) {
    for (const SpinEditBinding& b : kSpinEdits)
        if (b.id == id) return true;
    return false;
}

bool IsCheckBox(int id) {
    return id == kIdInvert || id == kIdNotBreak || id == kIdUseDots || id == kIdFillAlpha || id == kIdCheckerboard ||
           id == kIdSolidInk || id == kIdAutoUpdate;
}

bool FocusIsEdit(HWND* edit) {
    HWND focus = GetFocus();
    char name[64] = {};
    if (!focus || !GetClassNameA(focus, name, sizeof name) || _stricmp(name, "Edit") != 0) return false;
    *edit = focus;
    return true;
}

void PostRefresh() { PostMessageW(gDialog.window, WM_COMMAND, MAKEWPARAM(kIdRefresh, 0), 0); }

// Enter: in a number field it moves on; anywhere else it is OK.
void OnEnter() {
    HWND edit = nullptr;
    if (FocusIsEdit(&edit)) {
        PostMessageW(gDialog.window, WM_NEXTDLGCTL, 0, 0);
        return;
    }
    EndDialog(gDialog.window, kIdOk);
}

// Escape: in a number field it puts the stored value back; anywhere else
// the record goes back, byte for byte, to what it was at opening.
void OnEscape() {
    HWND edit = nullptr;
    if (FocusIsEdit(&edit)) {
        PostMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), RevertCode), 0);
        PostMessageW(gDialog.window, WM_NEXTDLGCTL, 0, 0);
        return;
    }
    FilterRecord* record = gDialog.context->filterRecord;
    const int32_t size = int32_t(gDialog.cancelCopy.size());
    Handle restored = NewHostHandle(size);
    if (restored && *restored) {
        if (record->parameters) DisposeHostHandle(record->parameters);
        std::memcpy(*restored, gDialog.cancelCopy.data(), size_t(size));
        AdoptParametersHandle(record, restored);
    } else if (EngraveParams* params = Record()) {
        // No new handle: put the bytes back into the one there is.
        std::memcpy(params, gDialog.cancelCopy.data(), std::min(size_t(size), sizeof(EngraveParams)));
    }
    SetResult(gDialog.context, userCanceledErr);
    EndDialog(gDialog.window, kIdCancel);
}

void OnAbout() {
    PlatformData owner{reinterpret_cast<intptr_t>(gDialog.window)};
    ShowAboutBox(&owner);
}

void OnCommand(int id, int code, LPARAM lParam) {
    if (id == kIdRefresh) return RefreshAfterChange();
    if ((IsSpinEdit(id) && id != kIdNoise) || id == kIdRotor) {
        WriteValueControlsToRecord();
        return PostRefresh();
    }
    if (IsCheckBox(id) || id == kIdNoise) {
        WriteCheckBoxesToRecord();
        ApplyAlphaRule(false);
        return PostRefresh();
    }
    switch (id) {
        case kIdColorSchema:
        case kIdPattern: {
            // A choice made final; or arrow keys on the closed list, which
            // change the selection without closing anything.
            HWND combo = reinterpret_cast<HWND>(lParam);
            const bool closedChange = code == CBN_SELCHANGE && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0);
            if (code != CBN_SELENDOK && !closedChange) return;
            EngraveParams* params = Record();
            const int selected = int(SendMessageW(combo, CB_GETCURSEL, 0, 0));
            if (!params || selected < 0) return;
            if (id == kIdColorSchema) {
                params->colorSchema = uint8_t(selected);
            } else {
                params->pattern = uint8_t(selected);
                ApplyPatternKind(selected);
            }
            return PostRefresh();
        }
        case kIdPresetList:
            if (code == LBN_SELCHANGE) ApplyPresetSelection();
            return;
        case kIdPreview: return TakePreviewPan();
        case kIdNavigator: return TakeNavigatorFrame();
    }
    if (code != 0) return;  // buttons count only as plain clicks
    switch (id) {
        case kIdOk: return OnEnter();
        case kIdCancel: return OnEscape();
        case kIdUpdate: return UpdateNow();
        case kIdSave: return SavePresetFlow();
        case kIdDelete: return DeleteSelectedPreset();
        case kIdAbout: return OnAbout();
        case kIdHelp: return OpenHelpPage();
    }
}

INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: OpenDialog(window, reinterpret_cast<FilterGlobals*>(lParam)); return TRUE;
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), lParam); return TRUE;
        case WM_DRAWITEM: PaintOwnerDrawnButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_PAINT:
            if (gDialog.paintPending) {
                gDialog.paintPending = false;
                RefreshNavigatorPicture();
                if (CanPreview() && gDialog.lastRender.empty) RenderPreviewNow();
            }
            return FALSE;
        case WM_HELP: OpenHelpPage(); return TRUE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(gToolkit.backgroundBrush);
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSCROLLBAR: return reinterpret_cast<INT_PTR>(gToolkit.backgroundBrush);
        case WM_DESTROY: CloseDialog(); return FALSE;
    }
    return FALSE;
}

}  // namespace

// Exported (module/PluginMain.def, under its plain name on both
// architectures): the dialog procedure of DISSOLVEWITHPARAM00.
extern "C" INT_PTR CALLBACK DissolveProcGrad(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return NoThrowDialogProc<HandleMessage>(window, message, wParam, lParam);
}

int DialogMessageBox(const char* text, const char* caption, UINT type) {
    return MessageBoxA(gDialog.window, text, caption, type);
}
