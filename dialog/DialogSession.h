// The parameter dialog's state while it runs, and the operations its
// window procedure is made of. One dialog runs at a time (it is modal), so
// the state is one module-wide record, valid from WM_INITDIALOG to
// WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/PreviewPane.h"
#include "controls/PushButtons.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"
#include "dialog/DialogRules.h"
#include "host/EngraveParams.h"
#include "host/ModuleState.h"
#include "host/PreviewRender.h"

struct DialogSession {
    FilterGlobals* context = nullptr;
    HWND window = nullptr, list = nullptr, progress = nullptr;
    bool cmyk = false;
    int planes = 0;
    int imageWidth = 0, imageHeight = 0;
    bool sourceReady = false;  // the host delivered the whole image for the panes
    EngraveParams lastUsed{};  // "Last Used Settings"
    std::vector<char> cancelCopy;  // the parameters handle's bytes at opening
    bool paintPending = false;
    HBITMAP checkerOn = nullptr, checkerOff = nullptr, banner = nullptr;
    SpinEditState* spins[kSpinEditCount] = {};
    RotorState* rotor = nullptr;
    PreviewPaneState* preview = nullptr;
    PreviewPaneState* navigator = nullptr;
    std::string presetFolder, helpPage;  // UTF-8
    PreviewPicture lastRender;  // the preview's pixels, kept to rebuild its picture
};

extern DialogSession gDialog;

// The record the dialog edits, read afresh from the host's handle.
inline EngraveParams* Record() { return CurrentParams(); }

// WM_INITDIALOG: everything the dialog does when it opens.
void OpenDialog(HWND window, FilterGlobals* context);
// WM_DESTROY: what the dialog itself loaded.
void CloseDialog();

// The controls and the record.
void WriteValueControlsToRecord();  // the spin edits but Noise, and the rotor
void WriteCheckBoxesToRecord();     // the check boxes, and Noise
void ApplyPatternKind(int pattern);
void ApplyAlphaRule(bool fillAlphaToo);
void SetSpinEditRanges();
void ShowRecordInControls();  // values, lists, check boxes, alpha rule; no notification
void SyncControls();          // the same after a preset, then render and repaint

// The panes.
bool CanPreview();
void RenderPreviewNow();        // render, picture, repaint of the pane
void RefreshNavigatorPicture();
void PlaceFrameFromView();
void TakePreviewPan();          // after any command from the preview pane
void TakeNavigatorFrame();      // after any command from the navigator
void RefreshAfterChange();      // the refresh command: snapshot, then render when automatic
void UpdateNow();               // the "Update" button

// The presets.
void FillPresetList();
void ApplyPresetSelection();
void SavePresetFlow();
void DeleteSelectedPreset();
void UpdateDeleteButton();
LONG RegisterPresetFileType(const wchar_t* extension, const wchar_t* className);

// Help, tooltips and owner-drawn buttons.
void OpenHelpPage();
void AttachTooltip(HWND control, const char* text);
void PaintOwnerDrawnButton(const DRAWITEMSTRUCT& item);

// Messages a test harness can answer: the message boxes of the preset flows.
int DialogMessageBox(const char* text, const char* caption, UINT type);
