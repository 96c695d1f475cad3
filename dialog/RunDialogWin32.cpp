// Runs the parameter dialog over the host's window: the toolkit around it,
// OK or Cancel out of it.
#include <windows.h>

#include "controls/Toolkit.h"
#include "dialog/RunDialog.h"
#include "resources/DialogIds.h"

extern "C" INT_PTR CALLBACK DissolveProcGrad(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool RunDialog(FilterGlobals* globals) {
    HINSTANCE instance = static_cast<HINSTANCE>(gModule.moduleInstance);
    const FilterRecord* record = globals ? globals->filterRecord : nullptr;
    const PlatformData* platform = record ? static_cast<const PlatformData*>(record->platformData) : nullptr;
    HWND owner = platform ? reinterpret_cast<HWND>(platform->hwnd) : nullptr;
    if (!RegisterToolkit(instance)) {
        // Without its window classes the dialog cannot be built; the user
        // asked to tune the settings, so nothing is filtered blindly.
        SetResult(globals, memFullErr);
        return false;
    }
    const INT_PTR ended = DialogBoxParamW(instance, L"" kMainDialogName, owner, DissolveProcGrad,
                                          reinterpret_cast<LPARAM>(globals));
    UnregisterToolkit(instance);
    if (ended == -1) SetResult(globals, memFullErr);
    return ended == kIdOk;
}
