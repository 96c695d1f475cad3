#include "cli/session/HostBufferProcs.h"

#include <set>

#include "cli/session/HostHandleProcs.h"

namespace {

int64_t gSpace = 0;

// A buffer is one of our handles; the set keeps a module's buffers apart
// from its handles, so that neither suite frees what the other made.
std::set<BufferID>& Live() {
    static std::set<BufferID> live;
    return live;
}

// An identifier the module made up (or freed already) must not be followed.
Handle Find(BufferID id) { return id && Live().count(id) ? reinterpret_cast<Handle>(id) : nullptr; }

OSErr PI_CALL Allocate(int32_t size, BufferID* id) {
    if (!id) return paramErr;
    *id = nullptr;
    if (size < 0) return paramErr;
    Handle h = NewBufferHandle(size);
    if (!h) return memFullErr;
    *id = reinterpret_cast<BufferID>(h);
    Live().insert(*id);
    return noErr;
}

Ptr PI_CALL Lock(BufferID id, PIBoolean) {
    Handle h = Find(id);
    return h ? *h : nullptr;
}

void PI_CALL Unlock(BufferID) {}

void PI_CALL Free(BufferID id) {
    Handle h = Find(id);
    if (!h) return;
    Live().erase(id);
    DisposeBufferHandle(h);
}

int32_t PI_CALL Space() { return int32_t(gSpace > INT32_MAX ? INT32_MAX : gSpace); }
int64_t PI_CALL Space64() { return gSpace; }

const BufferProcs kTable = {kCurrentBufferProcsVersion, kCurrentBufferProcsCount, Allocate, Lock, Unlock, Free,
                            Space, Space64};

}  // namespace

const BufferProcs* HostBufferProcTable(int64_t space) {
    gSpace = space > 0 ? space : 0;
    return &kTable;
}

int ReleaseHostBuffers() {
    const int left = int(Live().size());
    while (!Live().empty()) Free(*Live().begin());
    return left;
}
