// The dialog's "User Presets": the list with "Default" and "Last Used
// Settings", applying an entry, Save through the naming dialog with the
// overwrite question, and Delete.
#include "controls/Toolkit.h"
#include "dialog/DialogSession.h"
#include "dialog/PresetFiles.h"
#include "dialog/PresetNames.h"
#include "dialog/Utf8Files.h"
#include "host/NoThrowDialogProc.h"
#include "resources/DialogIds.h"

namespace {

constexpr int kDefaultEntry = 0, kLastUsedEntry = 1, kFirstUserEntry = 2;
constexpr int kMaxPresetName = 254;

std::string EntryText(int index) {
    const LRESULT length = SendMessageW(gDialog.list, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length == LB_ERR || length < 0) return std::string();
    std::wstring text(size_t(length) + 1, L'\0');
    SendMessageW(gDialog.list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(size_t(length));
    return Utf8FromWide(text);
}

void AddEntry(const std::string& utf8) {
    std::wstring wide;
    if (WideFromUtf8(utf8, &wide)) SendMessageW(gDialog.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

// Everything but the run state, which belongs to the selector flow.
void ReplaceSettings(EngraveParams* params, const EngraveParams& with) {
    const EngraveParams run = *params;
    *params = with;
    params->showDialog = run.showDialog;
    params->rowSkip = run.rowSkip;
    params->canPreview = run.canPreview;
    params->isPremiereHost = run.isPremiereHost;
}

// The naming dialog's procedure: the caller's name in, the typed name out.
INT_PTR HandleNameDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            for (int id : {kIdSave, kIdCancel}) InstallHoverButtonProc(GetDlgItem(window, id), SkinHoverFlag(id));
            const std::wstring& name = *reinterpret_cast<std::wstring*>(lParam);
            HWND edit = GetDlgItem(window, kPresetNameEdit);
            SendMessageW(edit, EM_LIMITTEXT, kMaxPresetName, 0);
            SetWindowTextW(edit, name.c_str());
            EnableWindow(GetDlgItem(window, kIdSave), name.empty() ? FALSE : TRUE);
            SetFocus(edit);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == kPresetNameEdit && code == EN_CHANGE) {
                EnableWindow(GetDlgItem(window, kIdSave), GetWindowTextLengthW(GetDlgItem(window, kPresetNameEdit)) > 0);
                return TRUE;
            }
            if (id == kIdSave || id == kIdOk) {
                wchar_t text[kMaxPresetName + 1] = {};
                GetDlgItemTextW(window, kPresetNameEdit, text, kMaxPresetName + 1);
                *reinterpret_cast<std::wstring*>(GetWindowLongPtrW(window, DWLP_USER)) = text;
                EndDialog(window, kIdSave);
                return TRUE;
            }
            if (id == kIdCancel) {
                EndDialog(window, kIdCancel);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE: EndDialog(window, kIdCancel); return TRUE;
        case WM_DRAWITEM: PaintOwnerDrawnButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(gToolkit.backgroundBrush);
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN: return reinterpret_cast<INT_PTR>(gToolkit.backgroundBrush);
    }
    return FALSE;
}

enum class NameAnswer { None, NewFile, Overwrite };

// The naming loop: a name that exists asks first; No asks again.
NameAnswer AskPresetName(std::string* normalized) {
    std::wstring name;
    for (;;) {
        const INT_PTR ended = DialogBoxParamW(static_cast<HINSTANCE>(gModule.moduleInstance),
                                              MAKEINTRESOURCEW(kPresetNameDialogId), gDialog.window, NoThrowDialogProc<HandleNameDialog>,
                                              reinterpret_cast<LPARAM>(&name));
        if (ended != kIdSave || name.empty()) return NameAnswer::None;
        *normalized = NormalizePresetName(Utf8FromWide(name));
        if (!PresetExists(gDialog.presetFolder, *normalized)) return NameAnswer::NewFile;
        switch (DialogMessageBox("The file already exist!\n Do you want rewrite it?", "File Save Warning",
                                 MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
            case IDYES: return NameAnswer::Overwrite;
            case IDNO: {
                std::wstring wide;
                name = WideFromUtf8(*normalized, &wide) ? wide : name;
                continue;
            }
            default: return NameAnswer::None;
        }
    }
}

}  // namespace

void FillPresetList() {
    SendMessageW(gDialog.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Default"));
    SendMessageW(gDialog.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Last Used Settings"));
    std::wstring pattern;
    if (!WideFromUtf8(gDialog.presetFolder + "\\*.lmv", &pattern)) return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) AddEntry(PresetListName(Utf8FromWide(found.cFileName)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void UpdateDeleteButton() {
    const LRESULT selected = SendMessageW(gDialog.list, LB_GETCURSEL, 0, 0);
    EnableWindow(GetDlgItem(gDialog.window, kIdDelete), selected != LB_ERR && selected >= kFirstUserEntry);
}

void ApplyPresetSelection() {
    const LRESULT selected = SendMessageW(gDialog.list, LB_GETCURSEL, 0, 0);
    UpdateDeleteButton();
    EngraveParams* params = Record();
    if (selected == LB_ERR || !params) return;
    if (selected >= kFirstUserEntry) {
        params->presetApplied = 0;
        SettingValues values = ValuesOf(*params);
        if (!LoadPreset(gDialog.presetFolder, EntryText(int(selected)), &values)) return;
        if (!(params = Record())) return;
        StoreValues(values, params);
        params->presetApplied = 1;
    } else if (selected == kLastUsedEntry) {
        ReplaceSettings(params, gDialog.lastUsed);
        params->presetApplied = 0;
    } else {
        InitParameters(params);
        params->presetApplied = 1;
    }
    SyncControls();
}

void SavePresetFlow() {
    std::string name;
    const NameAnswer answer = AskPresetName(&name);
    const EngraveParams* params = Record();
    if (answer == NameAnswer::None || !params) return;
    if (!WritePresetFile(gDialog.presetFolder, name, SettingsOf(*params))) {
        DialogMessageBox("Cannot Save File!", "Save Preset Error", MB_OK | MB_ICONERROR);
        return;
    }
    if (answer == NameAnswer::NewFile) AddEntry(name);
}

void DeleteSelectedPreset() {
    const LRESULT selected = SendMessageW(gDialog.list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < kFirstUserEntry) return;
    const std::string name = EntryText(int(selected));
    if (!name.empty()) DeletePreset(gDialog.presetFolder, name);
    SendMessageW(gDialog.list, LB_DELETESTRING, WPARAM(selected), 0);
    UpdateDeleteButton();
}
