// A filter module that uses the host's suites as other makers' filters do:
// buffers, resources, properties, processEvent, image services and channel
// ports, its own parameters from the Parameters selector, and the image
// through advanceState. Its known change: every sample inverted (8 bits),
// except sample 0 of the first pixel, which counts the probe's resources
// found before this run added one. A failed check ends the run with its
// own negative code.
#include <cstring>

#include "host/PluginInterface.h"

namespace {

constexpr OSType kProbeResource = FourCC("lmPR");

// The checks, each with the code the run fails with.
OSErr UseBuffers(const BufferProcs* b) {
    if (!b || b->bufferProcsVersion != kCurrentBufferProcsVersion || b->numBufferProcs < 5) return -1001;
    if (b->spaceProc() <= 0 || (b->numBufferProcs >= 6 && b->space64Proc() <= 0)) return -1002;
    BufferID id = nullptr;
    if (b->allocateProc(4096, &id) != noErr || !id) return -1003;
    Ptr p = b->lockProc(id, 1);
    if (!p) return -1004;
    std::memset(p, 0x5A, 4096);
    b->unlockProc(id);
    b->freeProc(id);
    return noErr;
}

OSErr UseProperties(const FilterRecord* r) {
    const PropertyProcs* p = r->propertyProcs;
    if (!p || p->numPropertyProcs < 2) return -1011;
    intptr_t value = 0;
    Handle title = nullptr;
    if (p->getPropertyProc(kPhotoshopSignature, propNumberOfChannels, 0, &value, nullptr) != noErr ||
        value != r->planes)
        return -1012;
    if (p->getPropertyProc(kPhotoshopSignature, propImageMode, 0, &value, nullptr) != noErr || value != r->imageMode)
        return -1013;
    if (p->getPropertyProc(kPhotoshopSignature, propTitle, 0, nullptr, &title) != noErr || !title ||
        r->handleProcs->getSizeProc(title) <= 0)
        return -1014;
    r->handleProcs->disposeProc(title);
    if (p->getPropertyProc(kPhotoshopSignature, FourCC("zzzz"), 0, &value, nullptr) == noErr) return -1015;
    return noErr;
}

// Adds one resource (its bytes: "probe") and reads it back; returns how
// many there were before.
OSErr UseResources(const FilterRecord* r, int16_t* before) {
    const ResourceProcs* res = r->resourceProcs;
    if (!res || res->resourceProcsVersion < 3 || res->numResourceProcs < 4) return -1021;
    *before = res->countProc(kProbeResource);
    Handle h = r->handleProcs->newProc(5);
    std::memcpy(*h, "probe", 5);
    const OSErr added = res->addProc(kProbeResource, h);
    r->handleProcs->disposeProc(h);
    if (added != noErr || res->countProc(kProbeResource) != *before + 1) return -1022;
    Handle back = res->getProc(kProbeResource, int16_t(*before + 1));
    const bool same = back && r->handleProcs->getSizeProc(back) == 5 && std::memcmp(*back, "probe", 5) == 0;
    if (back) r->handleProcs->disposeProc(back);
    if (!same) return -1023;
    // A second one, deleted again.
    Handle extra = r->handleProcs->newProc(1);
    res->addProc(kProbeResource, extra);
    r->handleProcs->disposeProc(extra);
    res->deleteProc(kProbeResource, int16_t(*before + 2));
    return res->countProc(kProbeResource) == *before + 1 ? noErr : -1024;
}

OSErr UseTheRest(FilterRecord* r) {
    if (!r->processEvent || !r->imageServicesProcs || !r->channelPortProcs) return -1031;
    r->processEvent(nullptr);
    if (r->imageServicesProcs->interpolate1DProc(nullptr, nullptr, nullptr, nullptr, 0) == noErr) return -1032;
    void* port = nullptr;
    if (r->channelPortProcs->readPortForWritePortProc(&port, nullptr) == noErr) return -1033;
    return noErr;
}

OSErr Invert(FilterRecord* r, int16_t resourcesBefore) {
    if (r->depth != 8 || !r->advanceState) return -1041;
    r->inLoPlane = r->outLoPlane = 0;
    r->inHiPlane = r->outHiPlane = int16_t(r->planes - 1);
    r->inRect = r->outRect = r->filterRect;
    if (OSErr e = r->advanceState()) return e;
    const int width = r->filterRect.right - r->filterRect.left, height = r->filterRect.bottom - r->filterRect.top;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = static_cast<const uint8_t*>(r->inData) + size_t(y) * r->inRowBytes;
        uint8_t* out = static_cast<uint8_t*>(r->outData) + size_t(y) * r->outRowBytes;
        for (int i = 0; i < width * r->planes; ++i) out[i] = uint8_t(255 - in[i]);
    }
    *static_cast<uint8_t*>(r->outData) = uint8_t(resourcesBefore);
    r->inRect = r->outRect = PIRect{0, 0, 0, 0};
    return noErr;
}

OSErr Start(FilterRecord* r) {
    // The host asked for parameters before this first run: they say so.
    if (!r->parameters || r->handleProcs->getSizeProc(r->parameters) != 1 || **r->parameters != 1) return -1051;
    int16_t before = 0;
    OSErr e = UseBuffers(r->bufferProcs);
    if (e == noErr) e = UseProperties(r);
    if (e == noErr) e = UseResources(r, &before);
    if (e == noErr) e = UseTheRest(r);
    return e == noErr ? Invert(r, before) : e;
}

}  // namespace

void PI_CALL SuiteProbeEntry(int16_t selector, void* block, intptr_t*, int16_t* result) {
    FilterRecord* r = static_cast<FilterRecord*>(block);
    OSErr e = noErr;
    if (selector == filterSelectorParameters && !r->parameters) {
        r->parameters = r->handleProcs->newProc(1);
        if (r->parameters) **r->parameters = 1;
    } else if (selector == filterSelectorStart) {
        e = Start(r);
    }
    *result = e;
}

#ifdef LUMERIC_SUITE_PROBE_DLL
extern "C" __declspec(dllexport) void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result) {
    SuiteProbeEntry(selector, block, data, result);
}
#endif
