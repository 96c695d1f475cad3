// Module-wide state shared by the selector flow and the filter pass. There
// is one host thread and one selector call at a time, so these are plain
// variables without locks.
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

struct EngraveParams;

// Per-invocation block kept in a host handle whose value lives in `data`.
struct FilterGlobals {
    int16_t* result;  // the host's result word of the current call
    FilterRecord* filterRecord;
};

// The parameter dialog as Start sees it. The module's entry point wires the
// real dialog in, so that this layer knows no window: returns false when
// the user cancelled (the dialog has then restored the record and left
// userCanceledErr in the result word).
typedef bool (*RunDialogProc)(FilterGlobals* globals);

struct ModuleState {
    FilterRecord* filterRecord = nullptr;  // current call's block (AboutRecord for selector 0)
    intptr_t* dataSlot = nullptr;
    SPBasicSuite* basicSuite = nullptr;
    void* moduleInstance = nullptr;  // HMODULE on Windows
    FilterGlobals* currentGlobals = nullptr;
    RunDialogProc runDialog = nullptr;  // null: Start goes on as if OK was pressed at once
    OSErr handleError = noErr;          // set by the handle fallback
    // The parameters handle this module made, with its data block: some
    // hosts answer 0 to every size query, and this one is known to fit.
    Handle ownParameters = nullptr;
    Ptr ownParametersData = nullptr;
};

extern ModuleState gModule;

// The record in the host's parameters handle, read afresh on every access;
// null when there is none (or it is too small to hold the record).
EngraveParams* CurrentParams();

// Writes the result word of the current call (when there is one).
void SetResult(FilterGlobals* globals, OSErr error);
inline OSErr ResultOf(const FilterGlobals* globals) { return globals && globals->result ? *globals->result : OSErr(0); }
