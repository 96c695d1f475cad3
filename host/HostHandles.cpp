#include "host/HostHandles.h"

#include <cstdlib>
#include <new>

#include "host/ModuleState.h"

namespace {

// Fallback handle: a master record whose first word points to the data.
struct FallbackMaster {
    char* data;
    int32_t size;
};

const HandleProcs* UsableProcs() {
    const FilterRecord* record = gModule.filterRecord;
    return HostHandleProcsUsable(record) ? record->handleProcs : nullptr;
}

}  // namespace

bool HostHandleProcsUsable(const FilterRecord* record) {
    if (!record || !record->handleProcs) return false;
    const HandleProcs* procs = record->handleProcs;
    return procs->handleProcsVersion == kCurrentHandleProcsVersion &&
           procs->numHandleProcs >= kCurrentHandleProcsCount && procs->newProc && procs->disposeProc &&
           procs->getSizeProc && procs->setSizeProc;
}

Handle NewHostHandle(int32_t size) {
    if (const HandleProcs* procs = UsableProcs()) return procs->newProc(size);
    if (size < 0) {
        gModule.handleError = memFullErr;
        return nullptr;
    }
    FallbackMaster* master = static_cast<FallbackMaster*>(std::calloc(1, sizeof(FallbackMaster)));
    char* data = static_cast<char*>(std::calloc(size > 0 ? size_t(size) : 1, 1));
    if (!master || !data) {
        std::free(master);
        std::free(data);
        gModule.handleError = memFullErr;
        return nullptr;
    }
    master->data = data;
    master->size = size;
    return &master->data;
}

void DisposeHostHandle(Handle h) {
    if (const HandleProcs* procs = UsableProcs()) {
        procs->disposeProc(h);
        return;
    }
    if (!h) {
        gModule.handleError = nilHandleErr;
        return;
    }
    FallbackMaster* master = reinterpret_cast<FallbackMaster*>(h);
    std::free(master->data);
    std::free(master);
}

int32_t GetHostHandleSize(Handle h) {
    if (const HandleProcs* procs = UsableProcs()) return procs->getSizeProc(h);
    if (!h) {
        gModule.handleError = nilHandleErr;
        return 0;
    }
    return reinterpret_cast<FallbackMaster*>(h)->size;
}

Ptr LockHostHandle(Handle h, bool moveHigh) {
    const HandleProcs* procs = UsableProcs();
    if (procs && procs->lockProc) return procs->lockProc(h, moveHigh ? 1 : 0);
    if (!h) {
        gModule.handleError = nilHandleErr;
        return nullptr;
    }
    return *h;
}

void UnlockHostHandle(Handle h) {
    const HandleProcs* procs = UsableProcs();
    if (procs && procs->unlockProc) {
        procs->unlockProc(h);
        return;
    }
    if (!h) gModule.handleError = nilHandleErr;
}
