#include "cli/session/HostBufferProcs.h"

#include <cstdlib>
#include <set>

namespace {

struct Block {
    char* data;
    int32_t size;
};

int64_t gSpace = 0;

std::set<BufferID>& Live() {
    static std::set<BufferID> live;
    return live;
}

// An identifier the module made up (or freed already) must not be followed.
Block* Find(BufferID id) { return id && Live().count(id) ? reinterpret_cast<Block*>(id) : nullptr; }

OSErr PI_CALL Allocate(int32_t size, BufferID* id) {
    if (!id) return paramErr;
    *id = nullptr;
    if (size < 0) return paramErr;
    Block* block = static_cast<Block*>(std::calloc(1, sizeof(Block)));
    char* data = static_cast<char*>(std::calloc(size_t(size) + 1, 1));
    if (!block || !data) {
        std::free(block);
        std::free(data);
        return memFullErr;
    }
    block->data = data;
    block->size = size;
    *id = reinterpret_cast<BufferID>(block);
    Live().insert(*id);
    return noErr;
}

Ptr PI_CALL Lock(BufferID id, PIBoolean) {
    Block* block = Find(id);
    return block ? block->data : nullptr;
}

void PI_CALL Unlock(BufferID) {}

void PI_CALL Free(BufferID id) {
    Block* block = Find(id);
    if (!block) return;
    Live().erase(id);
    std::free(block->data);
    std::free(block);
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
