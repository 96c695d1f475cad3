// The "Set value" dialog of spin edits and rotors.
#include <windows.h>

#include <cstring>

#include "controls/ControlFrame.h"
#include "controls/ControlNumbers.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"
#include "controls/Toolkit.h"
#include "controls/ValueDialog.h"
#include "controls/ValueDialogModel.h"
#include "host/NoThrowDialogProc.h"
#include "resources/ResourceIds.h"

namespace {

// The one open value dialog: the dialog is modal, so there is never a
// second one, and its procedure needs no per-window slot.
struct ValueSession {
    SpinEditState* spin = nullptr;
    RotorState* rotor = nullptr;
    ValueWorkingCopy copy = {};
    bool open = false;
};

ValueSession gSession;

const struct {
    int edit;
    ValueField field;
} kFields[] = {{kNewValue1Edit, ValueField::Value1},
               {kNewValue2Edit, ValueField::Value2},
               {kNewMinimumEdit, ValueField::Minimum},
               {kNewMaximumEdit, ValueField::Maximum}};

const ControlState& Head() { return gSession.spin ? gSession.spin->head : gSession.rotor->head; }

void ShowNumber(HWND dialog, int item, float value) {
    char text[64];
    FormatValueText(value, gSession.copy.integerMode, text, sizeof text);
    SetDlgItemTextA(dialog, item, text);
}

float ReadNumber(HWND dialog, int item) {
    char text[64] = {};
    GetDlgItemTextA(dialog, item, text, sizeof text);
    return ParseTypedValue(text, std::strlen(text));
}

void FillForSpinEdit(HWND dialog, const SpinEditState& spin) {
    const bool integer = spin.integerMode != 0;
    gSession.copy = {spin.value, 0.0f, spin.minimum, spin.maximum, integer, true};
    SetDlgItemTextA(dialog, kValueNameText, spin.name);
    SetDlgItemTextA(dialog, kValueTypeText, integer ? "Integer slider" : "Float slider");
    char low[32], high[32], range[80];
    FormatValueText(spin.recommendedMinimum, integer, low, sizeof low);
    FormatValueText(spin.recommendedMaximum, integer, high, sizeof high);
    std::strcpy(range, low);
    std::strcat(range, " ... ");
    std::strcat(range, high);
    SetDlgItemTextA(dialog, kRecommendedRangeText, range);
    ShowNumber(dialog, kNewMinimumEdit, spin.minimum);
    ShowNumber(dialog, kNewMaximumEdit, spin.maximum);
}

void FillForRotor(HWND dialog, const RotorState& rotor) {
    const bool integer = rotor.integer != 0;
    gSession.copy = {rotor.value, 0.0f, rotor.minimumAngle, rotor.maximumAngle, integer, rotor.limited != 0};
    SetDlgItemTextA(dialog, kValueNameText, rotor.name);
    SetDlgItemTextA(dialog, kValueTypeText, integer ? "Integer angle" : "Float angle");
    SetDlgItemTextA(dialog, kRecommendedRangeText, "Not limit");
    EnableWindow(GetDlgItem(dialog, kNewMinimumEdit), FALSE);
    EnableWindow(GetDlgItem(dialog, kNewMaximumEdit), FALSE);
}

void Fill(HWND dialog) {
    if (gSession.spin) {
        FillForSpinEdit(dialog, *gSession.spin);
    } else {
        FillForRotor(dialog, *gSession.rotor);
    }
    ShowNumber(dialog, kCurrentValue1Text, gSession.copy.value1);
    ShowNumber(dialog, kNewValue1Edit, gSession.copy.value1);
    SetDlgItemTextA(dialog, kCurrentValue2Text, "Not used");
    EnableWindow(GetDlgItem(dialog, kNewValue2Edit), FALSE);
}

void Apply(HWND dialog) {
    if (SpinEditState* spin = gSession.spin) {
        SpinEditSetValue(spin, ReadNumber(dialog, kNewValue1Edit));
        float minimum = ReadNumber(dialog, kNewMinimumEdit), maximum = ReadNumber(dialog, kNewMaximumEdit);
        if (spin->integerMode) {
            minimum = float(TruncateToInt(minimum));
            maximum = float(TruncateToInt(maximum));
        }
        SpinEditSetRange(spin, minimum, maximum);
        SpinEditSetValue(spin, spin->value);  // arrows, text and slider on the new range
    } else {
        RotorSetValues(gSession.rotor, ReadNumber(dialog, kNewValue1Edit), 0.0f);
    }
    RedrawNow(Head().window);
    PostCommand(Head(), 0, 0);
}

bool FocusIsInEdit(HWND* edit) {
    *edit = GetFocus();
    char name[64] = {};
    return *edit && GetClassNameA(*edit, name, sizeof name) && std::strcmp(name, "Edit") == 0;
}

void LeaveField(HWND dialog, int item, ValueField field) {
    char text[64] = {};
    GetDlgItemTextA(dialog, item, text, sizeof text);
    const FieldOutcome outcome = LeaveValueField(gSession.copy, field, text, std::strlen(text));
    if (outcome.beep) MessageBeep(0xFFFFFFFF);
    if (outcome.rewrite) ShowNumber(dialog, item, WorkingValue(gSession.copy, field));
}

void OnCommand(HWND dialog, int item, int code) {
    HWND edit = nullptr;
    if (item == IDOK && code == BN_CLICKED) {
        // Enter in a field moves on to the next field rather than closing.
        if (FocusIsInEdit(&edit)) {
            PostMessageA(GetParent(edit), WM_NEXTDLGCTL, 0, 0);
            return;
        }
        Apply(dialog);
        EndDialog(dialog, IDOK);
    } else if (item == IDCANCEL && code == BN_CLICKED) {
        // Escape in a field restores that field only.
        if (FocusIsInEdit(&edit)) {
            PostMessageA(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), RevertCode), 0);
            return;
        }
        EndDialog(dialog, IDCANCEL);
    }
    for (const auto& entry : kFields) {
        if (entry.edit != item) continue;
        if (code == EN_KILLFOCUS) LeaveField(dialog, item, entry.field);
        if (code == RevertCode) ShowNumber(dialog, item, WorkingValue(gSession.copy, entry.field));
    }
}

INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Fill(dialog);
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            // The title bar's close box: a Cancel that never restores a field.
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(gToolkit.backgroundBrush);
    }
    (void)lParam;
    return FALSE;
}

}  // namespace

INT_PTR ValueDialog(HWND control) {
    if (gSession.open) return 0;
    gSession = ValueSession();
    gSession.spin = FindControl<SpinEditState>(control);
    if (!gSession.spin) gSession.rotor = FindControl<RotorState>(control);
    if (!gSession.spin && !gSession.rotor) return 0;
    gSession.open = true;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE));
    const INT_PTR result =
        DialogBoxParamA(instance, MAKEINTRESOURCEA(kValueDialogId), control, NoThrowDialogProc<Handle>,
                        reinterpret_cast<LPARAM>(&Head()));
    gSession = ValueSession();
    return result < 0 ? 0 : result;
}
