#include "cli/session/HostHandleProcs.h"

#include <cstdlib>
#include <cstring>
#include <set>

namespace {

struct Master {
    char* data;  // must stay first: the module reads *h
    int32_t size;
};

std::set<Handle>& Live() {
    static std::set<Handle> live;
    return live;
}

Handle PI_CALL NewProc(int32_t size) { return NewBufferHandle(size); }
void PI_CALL DisposeProc(Handle h) { DisposeBufferHandle(h); }
int32_t PI_CALL GetSizeProc(Handle h) { return BufferHandleSize(h); }

OSErr PI_CALL SetSizeProc(Handle h, int32_t size) {
    if (!IsLiveBufferHandle(h) || size < 0) return nilHandleErr;
    Master* m = reinterpret_cast<Master*>(h);
    char* data = static_cast<char*>(std::realloc(m->data, size_t(size) + 1));
    if (!data) return memFullErr;
    if (size > m->size) std::memset(data + m->size, 0, size_t(size - m->size));
    m->data = data;
    m->size = size;
    return noErr;
}

Ptr PI_CALL LockProc(Handle h, PIBoolean) { return IsLiveBufferHandle(h) ? *h : nullptr; }
void PI_CALL UnlockProc(Handle) {}
void PI_CALL RecoverSpaceProc(int32_t) {}
// Handles the module got elsewhere are not ours to free.
void PI_CALL DisposeRegularProc(Handle) {}

const HandleProcs kTable = {kCurrentHandleProcsVersion,
                            kCurrentHandleProcsCount,
                            NewProc,
                            DisposeProc,
                            GetSizeProc,
                            SetSizeProc,
                            LockProc,
                            UnlockProc,
                            RecoverSpaceProc,
                            DisposeRegularProc};

}  // namespace

const HandleProcs* HostHandleProcTable() { return &kTable; }

Handle NewBufferHandle(int32_t size) {
    if (size < 0) return nullptr;
    Master* m = static_cast<Master*>(std::calloc(1, sizeof(Master)));
    char* data = static_cast<char*>(std::calloc(size_t(size) + 1, 1));
    if (!m || !data) {
        std::free(m);
        std::free(data);
        return nullptr;
    }
    m->data = data;
    m->size = size;
    Handle h = &m->data;
    Live().insert(h);
    return h;
}

void DisposeBufferHandle(Handle h) {
    // A tolerant host: a handle we did not make (or made and freed) is left alone.
    if (!IsLiveBufferHandle(h)) return;
    Live().erase(h);
    Master* m = reinterpret_cast<Master*>(h);
    std::free(m->data);
    std::free(m);
}

int32_t BufferHandleSize(Handle h) { return IsLiveBufferHandle(h) ? reinterpret_cast<Master*>(h)->size : 0; }

bool IsLiveBufferHandle(Handle h) { return h && Live().count(h) != 0; }

int LiveBufferHandleCount() { return int(Live().size()); }
