// The parameter record in the host's parameters handle.
#include <cstring>

#include "host/EngraveParams.h"
#include "host/HostHandles.h"
#include "host/HostIdentity.h"
#include "host/ModuleState.h"
#include "host/Selectors.h"

EngraveParams* CurrentParams() {
    FilterRecord* record = gModule.filterRecord;
    if (!record || !record->parameters || !*record->parameters) return nullptr;
    return reinterpret_cast<EngraveParams*>(*record->parameters);
}

namespace {

// A handle too small for the record (left by another plug-in version or
// corrupted) would be read past its end: replace it instead.
bool HandleHoldsRecord(Handle h) {
    return h && *h && GetHostHandleSize(h) >= int32_t(sizeof(EngraveParams));
}

}  // namespace

void EnsureParameters(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    if (record->parameters) {
        if (HandleHoldsRecord(record->parameters)) return;
        DisposeHostHandle(record->parameters);
        record->parameters = nullptr;
    }
    Handle handle = NewHostHandle(int32_t(sizeof(EngraveParams)));
    if (!handle || !*handle) {
        if (handle) DisposeHostHandle(handle);
        SetResult(globals, memFullErr);
        return;
    }
    EngraveParams* params = reinterpret_cast<EngraveParams*>(*handle);
    std::memset(params, 0, sizeof *params);
    InitParameters(params);
    params->canPreview = 0;
    params->rowSkip = 1;
    params->isPremiereHost = IsPremiereHost() ? 1 : 0;
    record->parameters = handle;
}

void DoParameters(FilterGlobals* globals) {
    EnsureParameters(globals);
    if (EngraveParams* params = CurrentParams()) params->showDialog = 1;
}
