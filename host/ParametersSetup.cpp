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
// corrupted) would be read past its end: replace it instead. Some hosts
// answer 0 (or less) to the size of any handle, even of those they made;
// the one this module made for its record, still holding the same block,
// is trusted then, or every selector would start from the defaults again.
bool HandleHoldsRecord(Handle h) {
    if (!h || !*h) return false;
    const int32_t size = GetHostHandleSize(h);
    if (size >= int32_t(sizeof(EngraveParams))) return true;
    return size <= 0 && h == gModule.ownParameters && *h == gModule.ownParametersData;
}

}  // namespace

void AdoptParametersHandle(FilterRecord* record, Handle handle) {
    record->parameters = handle;
    gModule.ownParameters = handle;
    gModule.ownParametersData = handle ? *handle : nullptr;
}

bool EnsureParameters(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    if (record->parameters) {
        if (HandleHoldsRecord(record->parameters)) return false;
        Handle refused = record->parameters;
        if (refused == gModule.ownParameters) AdoptParametersHandle(record, nullptr);
        DisposeHostHandle(refused);
        record->parameters = nullptr;
    }
    Handle handle = NewHostHandle(int32_t(sizeof(EngraveParams)));
    if (!handle || !*handle) {
        if (handle) DisposeHostHandle(handle);
        SetResult(globals, memFullErr);
        return false;
    }
    EngraveParams* params = reinterpret_cast<EngraveParams*>(*handle);
    std::memset(params, 0, sizeof *params);
    InitParameters(params);
    params->canPreview = 0;
    params->rowSkip = 1;
    params->isPremiereHost = IsPremiereHost() ? 1 : 0;
    AdoptParametersHandle(record, handle);
    return true;
}

void DoParameters(FilterGlobals* globals) {
    EnsureParameters(globals);
    if (EngraveParams* params = CurrentParams()) params->showDialog = 1;
}
