#include "cli/session/HostResourceProcs.h"

#include <cstring>

#include "cli/session/HostHandleProcs.h"

namespace {

std::vector<HostResource>* gResources = nullptr;

// The index-th (from 1) resource of `type`, or the end.
std::vector<HostResource>::iterator Nth(OSType type, int16_t index) {
    int seen = 0;
    for (auto it = gResources->begin(); it != gResources->end(); ++it)
        if (it->type == type && ++seen == index) return it;
    return gResources->end();
}

int16_t PI_CALL Count(OSType type) {
    int16_t count = 0;
    for (const HostResource& r : *gResources) count = int16_t(count + (r.type == type ? 1 : 0));
    return count;
}

// A copy in a new handle: the module disposes of it.
Handle PI_CALL Get(OSType type, int16_t index) {
    const auto it = Nth(type, index);
    if (it == gResources->end()) return nullptr;
    Handle h = NewBufferHandle(int32_t(it->bytes.size()));
    if (h && !it->bytes.empty()) std::memcpy(*h, it->bytes.data(), it->bytes.size());
    return h;
}

void PI_CALL Delete(OSType type, int16_t index) {
    const auto it = Nth(type, index);
    if (it != gResources->end()) gResources->erase(it);
}

// Only handles made by our handle procedures can be measured safely.
OSErr PI_CALL Add(OSType type, Handle data) {
    if (!IsLiveBufferHandle(data)) return nilHandleErr;
    const size_t size = size_t(BufferHandleSize(data));
    if (size > kMaxResourceBytes || gResources->size() >= kMaxResources) return memFullErr;
    gResources->push_back(HostResource{type, std::vector<uint8_t>(*data, *data + size)});
    return noErr;
}

const ResourceProcs kTable = {kCurrentResourceProcsVersion, kCurrentResourceProcsCount, Count, Get, Delete, Add};

}  // namespace

const ResourceProcs* HostResourceProcTable(std::vector<HostResource>* resources) {
    gResources = resources;
    return &kTable;
}
