#include "cli/session/HostPropertyProcs.h"

#include <cstring>

#include "cli/session/HostHandleProcs.h"
#include "host/Alert.h"

namespace {

const HostDocument* gDocument = nullptr;

// Complex properties come in a new handle, which the module disposes of.
OSErr Complex(const std::string& text, Handle* out) {
    if (!out) return paramErr;
    *out = NewBufferHandle(int32_t(text.size()));
    if (!*out) return memFullErr;
    if (!text.empty()) std::memcpy(**out, text.data(), text.size());
    return noErr;
}

OSErr Simple(intptr_t value, intptr_t* out) {
    if (!out) return paramErr;
    *out = value;
    return noErr;
}

constexpr intptr_t kRulerPixels = 0;
constexpr intptr_t kInterpolationBicubic = 3;

OSErr PI_CALL GetProperty(OSType signature, OSType key, int32_t, intptr_t* simple, Handle* complex) {
    if (signature != kPhotoshopSignature || !gDocument) return errPlugInPropertyUndefined;
    switch (key) {
        case propImageMode: return Simple(gDocument->imageMode, simple);
        case propNumberOfChannels: return Simple(gDocument->channels, simple);
        case propDocumentWidth: return Simple(gDocument->width, simple);
        case propDocumentHeight: return Simple(gDocument->height, simple);
        case propRulerUnits: return Simple(kRulerPixels, simple);
        case propInterpolationMethod: return Simple(kInterpolationBicubic, simple);
        case propTitle: return Complex(gDocument->title, complex);
        case propCaption: return Complex(std::string(), complex);  // the document has none
        case propSerialString: return Complex(std::string(kProductName) + " " + kProductVersion, complex);
        default: return errPlugInPropertyUndefined;
    }
}

OSErr PI_CALL SetProperty(OSType, OSType, int32_t, intptr_t, Handle) { return errPlugInPropertyUndefined; }

void PI_CALL ProcessEvent(void*) {}

OSErr PI_CALL Interpolate(void*, void*, void*, void*, int16_t) { return errPlugInHostInsufficient; }
OSErr PI_CALL ReadPixels(void*, void*, const VRect*, void*, VRect*) { return errPlugInHostInsufficient; }
OSErr PI_CALL WriteBasePixels(void*, const VRect*, void*) { return errPlugInHostInsufficient; }
OSErr PI_CALL ReadPortForWritePort(void** port, void*) {
    if (port) *port = nullptr;
    return errPlugInHostInsufficient;
}

const PropertyProcs kProperties = {kCurrentPropertyProcsVersion, kCurrentPropertyProcsCount, GetProperty,
                                   SetProperty};
const ImageServicesProcs kImageServices = {kCurrentImageServicesProcsVersion, kCurrentImageServicesProcsCount,
                                           Interpolate, Interpolate};
const ChannelPortProcs kChannelPorts = {kCurrentChannelPortProcsVersion, kCurrentChannelPortProcsCount,
                                        ReadPixels, WriteBasePixels, ReadPortForWritePort};

}  // namespace

const PropertyProcs* HostPropertyProcTable(const HostDocument* document) {
    gDocument = document;
    return &kProperties;
}

ProcessEventProc HostProcessEvent() { return ProcessEvent; }
const ImageServicesProcs* HostImageServicesTable() { return &kImageServices; }
const ChannelPortProcs* HostChannelPortTable() { return &kChannelPorts; }
