// Selector dispatch: finds the module's globals in the host's `data` slot
// and runs the selector's operation.
#include "host/Dispatch.h"

#include "host/HostHandles.h"
#include "host/HostRects.h"
#include "host/Selectors.h"

ModuleState gModule;

void SetResult(FilterGlobals* globals, OSErr error) {
    if (globals && globals->result) *globals->result = error;
}

namespace {

FilterGlobals* ObtainGlobals(FilterRecord* record, intptr_t* data, int16_t* result) {
    if (*data != 0) {
        FilterGlobals* globals =
            reinterpret_cast<FilterGlobals*>(LockHostHandle(reinterpret_cast<Handle>(*data), true));
        if (!globals) return nullptr;
        globals->result = result;
        globals->filterRecord = record;
        *result = noErr;
        return globals;
    }
    Handle handle = NewHostHandle(int32_t(sizeof(FilterGlobals)));
    if (!handle) return nullptr;
    FilterGlobals* globals = reinterpret_cast<FilterGlobals*>(LockHostHandle(handle, true));
    if (!globals) {
        DisposeHostHandle(handle);
        return nullptr;
    }
    globals->result = result;
    globals->filterRecord = record;
    *result = noErr;
    EnsureParameters(globals);
    *data = reinterpret_cast<intptr_t>(handle);
    return globals;
}

}  // namespace

void DispatchSelector(int16_t selector, FilterRecord* record, intptr_t* data, int16_t* result) {
    gModule.dataSlot = data;
    if (selector == filterSelectorAbout) {
        AboutRecord* about = reinterpret_cast<AboutRecord*>(record);
        gModule.filterRecord = nullptr;  // the block is an AboutRecord: no handle procs here
        gModule.basicSuite = about ? about->sSPBasic : nullptr;
        DoAbout(about);
        // Hosts that preset the word (to 1, say) would report the box as failed.
        if (result) *result = noErr;
        return;
    }
    gModule.filterRecord = record;
    if (!record || !data || !result) {
        if (result) *result = filterBadParameters;
        return;
    }
    gModule.basicSuite = record->sSPBasic;
    OptInBigDocument(record);

    FilterGlobals* globals = ObtainGlobals(record, data, result);
    if (!globals) {
        *result = memFullErr;
        return;
    }
    switch (selector) {
        case filterSelectorParameters: DoParameters(globals); break;
        case filterSelectorPrepare: DoPrepare(globals); break;
        case filterSelectorStart: DoStart(globals); break;
        case filterSelectorContinue: DoContinue(globals); break;
        case filterSelectorFinish: DoFinish(globals); break;
        default: *result = filterBadParameters; break;
    }
    if (*data != 0) UnlockHostHandle(reinterpret_cast<Handle>(*data));
}
