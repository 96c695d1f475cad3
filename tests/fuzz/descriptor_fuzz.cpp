// libFuzzer target: the host's descriptor reader. A module hands the host
// whatever it wrote into a descriptor handle; the host reads it back, serves
// it through the read procedures in any order of calls, and what it accepts
// must write and read back to the same items.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "cli/session/HostDescriptor.h"
#include "cli/session/HostHandleProcs.h"

namespace {

Handle HandleOf(const uint8_t* data, size_t size) {
    Handle h = NewBufferHandle(int32_t(size));
    if (h && size) std::memcpy(*h, data, size);
    return h;
}

// Every getter on the current key; the answers only have to be safe.
void ReadAll(Handle handle, uint8_t calls) {
    const ReadDescriptorProcs* r = HostReadDescriptorProcs();
    DescriptorKeyID expected[] = {FourCC("Angl"), FourCC("Geom"), 0};
    PIReadDescriptor token = r->openReadDescriptorProc(handle, (calls & 1) ? expected : nullptr);
    if (!token) return;
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = 0, integer = 0;
    double number = 0, low = -10, high = 10;
    DescriptorUnitID unit = 0;
    PIBoolean boolean = 0;
    while (r->getKeyProc(token, &key, &type, (calls & 2) ? &flags : nullptr)) {
        r->getIntegerProc(token, &integer);
        r->getFloatProc(token, &number);
        r->getUnitFloatProc(token, &unit, &number);
        r->getBooleanProc(token, &boolean);
        r->getPinnedIntegerProc(token, -5, 5, &integer);
        r->getPinnedFloatProc(token, &low, &high, &number);
        r->getPinnedUnitFloatProc(token, &low, &high, &unit, &number);
    }
    r->getIntegerProc(token, &integer);  // past the end
    r->closeReadDescriptorProc(token);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (1 << 16)) return 0;
    Handle handle = HandleOf(data + 1, size - 1);
    Descriptor read;
    if (DescriptorFromHandle(handle, &read)) {
        ReadAll(handle, data[0]);
        Handle again = NewDescriptorHandle(read);
        Descriptor back;
        if (!DescriptorFromHandle(again, &back) || back.items.size() != read.items.size()) std::abort();
        for (size_t i = 0; i < read.items.size(); ++i) {
            const DescriptorItem &a = read.items[i], &b = back.items[i];
            if (a.key != b.key || a.type != b.type || a.unit != b.unit) std::abort();
            if (!(a.number == b.number || (std::isnan(a.number) && std::isnan(b.number)))) std::abort();
        }
        DisposeBufferHandle(again);
    }
    DisposeBufferHandle(handle);
    if (LiveBufferHandleCount() != 0) std::abort();  // nothing leaks
    return 0;
}
