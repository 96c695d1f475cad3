#include "cli/session/HostSession.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/session/HostBufferProcs.h"
#include "cli/session/HostHandleProcs.h"
#include "cli/session/HostPropertyProcs.h"

namespace {

HostSession* gSession = nullptr;  // the callbacks carry no context: one session at a time

int32_t Clamp16(int32_t v) { return v > 32767 ? 32767 : v < -32768 ? -32768 : v; }
PIRect Narrow(const VRect& r) {
    return PIRect{int16_t(Clamp16(r.top)), int16_t(Clamp16(r.left)), int16_t(Clamp16(r.bottom)),
                  int16_t(Clamp16(r.right))};
}
VRect Widen(const PIRect& r) { return VRect{r.top, r.left, r.bottom, r.right}; }
bool Empty(const VRect& r) { return r.bottom <= r.top || r.right <= r.left; }

}  // namespace

struct HostSession::Impl {
    PluginEntryProc entry;
    InterfaceImage* image;  // the result, updated in place
    SessionOptions options;
    std::vector<uint8_t> source;  // the pixels before the run, served as input

    FilterRecord record{};
    BigDocumentStruct big{};
    PlatformData platform{};
    PIDescriptorParameters descriptor{};
    SPBasicSuite basic{};
    PSColorSpaceSuite1 colorSuite{};
    HostDocument document;
    std::vector<HostResource> resources;
    uint8_t errorString[256] = {};
    intptr_t data = 0;
    int16_t result = 0;

    // Buffers for rectangles that cannot be served in place.
    std::vector<uint8_t> inBuffer, outBuffer, maskBuffer;
    VRect pendingOut{};
    bool outPending = false;

    bool Uses32() const { return big.PluginUsing32BitCoordinates != 0; }
    VRect InRect() const { return Uses32() ? big.inRect32 : Widen(record.inRect); }
    VRect OutRect() const { return Uses32() ? big.outRect32 : Widen(record.outRect); }
    VRect MaskRect() const { return Uses32() ? big.maskRect32 : Widen(record.maskRect); }

    void Setup();
    void BindSuites();
    int16_t Call(int16_t selector);
    OSErr Deliver();
    void Commit();
    void ServeRect(const VRect& r, int16_t lo, int16_t hi, int16_t padding, const uint8_t* pixels,
                   std::vector<uint8_t>* buffer, void** data, int32_t* rowBytes, bool* inPlace);
};

namespace {

struct Callbacks {
    static HostSession::Impl* S();
    static PIBoolean PI_CALL Abort() {
        const std::atomic<bool>* cancel = S()->options.cancel;
        return cancel && cancel->load() ? 1 : 0;
    }
    static void PI_CALL Progress(int32_t done, int32_t total) {
        if (S()->options.progress) S()->options.progress(done, total);
    }
    static OSErr PI_CALL Advance() {
        S()->Commit();
        return S()->Deliver();
    }
    static OSErr PI_CALL DisplayPixels(const void*, const VRect*, int32_t, int32_t, void*) { return noErr; }

    static SPErr PI_CALL Acquire(const char* name, int32_t version, const void** suite) {
        if (!name || !suite) return kSPBadParameterError;
        if (!gSession) return kSPSuiteNotFoundError;
        if (std::strcmp(name, kPSColorSpaceSuite) == 0 && version == kPSColorSpaceSuiteVersion1) {
            *suite = &S()->colorSuite;
            return kSPNoError;
        }
        return kSPSuiteNotFoundError;
    }
    static SPErr PI_CALL Release(const char*, int32_t) { return kSPNoError; }
    static SPBoolean PI_CALL IsEqual(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }
    static SPErr PI_CALL Allocate(size_t size, void** block) {
        if (!block) return kSPBadParameterError;
        *block = std::malloc(size ? size : 1);
        return *block ? kSPNoError : kSPOutOfMemoryError;
    }
    static SPErr PI_CALL Free(void* block) {
        std::free(block);
        return kSPNoError;
    }
    static SPErr PI_CALL Reallocate(void* block, size_t size, void** out) {
        if (!out) return kSPBadParameterError;
        void* grown = std::realloc(block, size ? size : 1);
        if (!grown) return kSPOutOfMemoryError;
        *out = grown;
        return kSPNoError;
    }
    static SPErr PI_CALL Undefined() { return kSPUnimplementedError; }

    static SPErr PI_CALL Convert8(int16_t from, int16_t to, Color8* colors, int16_t count) {
        if (count <= 0) return kSPNoError;
        if (!colors || !S()->options.color.convert8) return kSPBadParameterError;
        return S()->options.color.convert8(from, to, colors, count) ? kSPNoError : kSPBadParameterError;
    }
    static SPErr PI_CALL Convert16(int16_t from, int16_t to, Color16* colors, int16_t count) {
        if (count <= 0) return kSPNoError;
        if (!colors || !S()->options.color.convert16) return kSPBadParameterError;
        return S()->options.color.convert16(from, to, colors, count) ? kSPNoError : kSPBadParameterError;
    }
    static SPErr PI_CALL MakeColor(ColorID*) { return kSPUnimplementedError; }
    static SPErr PI_CALL StuffComponents(ColorID, int16_t, uint8_t, uint8_t, uint8_t, uint8_t) {
        return kSPUnimplementedError;
    }
    static SPErr PI_CALL ExtractComponents(ColorID, int16_t, uint8_t*, uint8_t*, uint8_t*, uint8_t*, PIBoolean*) {
        return kSPUnimplementedError;
    }
    static SPErr PI_CALL StuffXYZ(ColorID, CS_XYZColor) { return kSPUnimplementedError; }
    static SPErr PI_CALL ExtractXYZ(ColorID, CS_XYZColor*) { return kSPUnimplementedError; }
    static SPErr PI_CALL NativeSpace(ColorID, int16_t*) { return kSPUnimplementedError; }
    static SPErr PI_CALL IsBook(ColorID, PIBoolean*) { return kSPUnimplementedError; }
    static SPErr PI_CALL ColorName(ColorID, ASZString*) { return kSPUnimplementedError; }
    static SPErr PI_CALL Pick(ColorID*, ASZString) { return kSPUnimplementedError; }
    static SPErr PI_CALL EightTo16(uint8_t* in, uint16_t* out, int16_t count) {
        if (!in || !out) return kSPBadParameterError;
        for (int i = 0; i < count; ++i) out[i] = uint16_t((in[i] * 32768 + 127) / 255);
        return kSPNoError;
    }
    static SPErr PI_CALL SixteenTo8(uint16_t* in, uint8_t* out, int16_t count) {
        if (!in || !out) return kSPBadParameterError;
        for (int i = 0; i < count; ++i) out[i] = uint8_t((std::min<int>(in[i], 32768) * 255 + 16384) / 32768);
        return kSPNoError;
    }
    static SPErr PI_CALL ToMonitor(int16_t, Color8*, Color8*, int16_t) { return kSPUnimplementedError; }
    static SPErr PI_CALL ThirtyTwoTo8(float*, uint8_t*, int16_t) { return kSPUnimplementedError; }
};

}  // namespace

struct SessionAccess {
    static HostSession::Impl* Get(HostSession* s) { return s->impl_; }
};

HostSession::Impl* Callbacks::S() { return SessionAccess::Get(gSession); }

HostSession::HostSession(PluginEntryProc entry, InterfaceImage* image, const SessionOptions& options)
    : impl_(new Impl) {
    impl_->entry = entry;
    impl_->image = image;
    impl_->options = options;
    impl_->source = image->pixels;
    impl_->Setup();
}

HostSession::~HostSession() {
    if (impl_->record.parameters) DisposeBufferHandle(impl_->record.parameters);
    if (impl_->data) DisposeBufferHandle(reinterpret_cast<Handle>(impl_->data));
    if (impl_->descriptor.descriptor) DisposeBufferHandle(impl_->descriptor.descriptor);
    if (gSession == this) gSession = nullptr;
    ReleaseHostBuffers();  // what the module forgot to free
    delete impl_;
}

void HostSession::Impl::Setup() {
    using C = Callbacks;
    const int32_t w = image->width, h = image->height;
    const bool alpha = (image->mode == plugInModeCMYKColor || image->mode == plugInModeCMYK64) ? image->planes > 4
                                                                                              : image->planes > 3;
    const int16_t colourPlanes = int16_t(image->planes - (alpha ? 1 : 0));

    basic = SPBasicSuite{C::Acquire, C::Release, C::IsEqual, C::Allocate, C::Free, C::Reallocate, C::Undefined};
    colorSuite = PSColorSpaceSuite1{C::MakeColor,  C::MakeColor,  C::StuffComponents, C::ExtractComponents,
                                    C::StuffXYZ,   C::ExtractXYZ, C::Convert8,        C::Convert16,
                                    C::NativeSpace, C::IsBook,    C::ColorName,       C::Pick,
                                    C::EightTo16,  C::SixteenTo8, C::ToMonitor,       C::ThirtyTwoTo8};
    descriptor.descriptorParametersVersion = kCurrentDescriptorParametersVersion;
    descriptor.playInfo = options.withDialog ? int16_t(plugInDialogDisplay) : options.playInfo;
    descriptor.recordInfo = plugInDialogOptional;
    descriptor.readDescriptorProcs = const_cast<ReadDescriptorProcs*>(HostReadDescriptorProcs());
    descriptor.writeDescriptorProcs = const_cast<WriteDescriptorProcs*>(HostWriteDescriptorProcs());
    platform.hwnd = options.platformWindow;

    record.abortProc = C::Abort;
    record.progressProc = C::Progress;
    record.imageSize = PIPoint{int16_t(Clamp16(h)), int16_t(Clamp16(w))};
    record.planes = image->planes;
    record.filterRect = Narrow(VRect{0, 0, h, w});
    record.background = PIRGBColor{65535, 65535, 65535};
    record.foreground = PIRGBColor{0, 0, 0};
    const int64_t wholeImage = (2 * int64_t(image->planes) + 1) * int64_t(w) * int64_t(h);
    const int64_t budget = options.maxSpace > 0 ? options.maxSpace : wholeImage;
    record.maxSpace = int32_t(std::min<int64_t>(budget, INT32_MAX));
    record.maxSpace64 = budget;
    record.haveMask = options.mask && !options.mask->empty() ? 1 : 0;
    record.backColor[0] = record.backColor[1] = record.backColor[2] = 255;
    record.hostSig = kPhotoshopSignature;
    record.imageMode = image->mode;
    record.imageHRes = record.imageVRes = 72 << 16;
    record.wholeSize = record.imageSize;
    record.platformData = &platform;
    record.displayPixels = C::DisplayPixels;
    record.handleProcs = const_cast<HandleProcs*>(HostHandleProcTable());
    record.filterCase = int16_t(alpha ? (record.haveMask ? 5 : 4) : (record.haveMask ? 2 : 1));
    record.dummyPlaneValue = -1;
    record.advanceState = options.tiled ? nullptr : C::Advance;
    record.supportsPadding = 1;
    record.inputPadding = record.outputPadding = record.maskPadding = plugInWantsErrorOnBoundsException;
    record.samplingSupport = 1;
    record.inputRate = record.maskRate = kFixedOne;
    record.inLayerPlanes = record.outLayerPlanes = colourPlanes;
    record.inTransparencyMask = record.outTransparencyMask = alpha ? 1 : 0;
    record.descriptorParameters = &descriptor;
    record.errorString = &errorString;
    record.sSPBasic = &basic;
    record.depth = image->depth;
    big.imageSize32 = VPoint{h, w};
    big.filterRect32 = VRect{0, 0, h, w};
    big.wholeSize32 = big.imageSize32;
    record.bigDocumentData = &big;
    document = HostDocument{image->mode, image->planes, w, h, options.title};
    record.processEvent = HostProcessEvent();
    record.imageServicesProcs = const_cast<ImageServicesProcs*>(HostImageServicesTable());
    record.channelPortProcs = const_cast<ChannelPortProcs*>(HostChannelPortTable());
    BindSuites();
}

// The suites' tables are shared; they answer for the session that runs.
// Without a budget from the user, buffers get room beyond the image: the
// space answer is what a module sizes its own work by.
void HostSession::Impl::BindSuites() {
    constexpr int64_t kDefaultBufferSpace = int64_t(256) << 20;
    const int64_t space =
        options.maxSpace > 0 ? record.maxSpace64 : std::max<int64_t>(record.maxSpace64, kDefaultBufferSpace);
    record.bufferProcs = const_cast<BufferProcs*>(HostBufferProcTable(space));
    record.resourceProcs = const_cast<ResourceProcs*>(HostResourceProcTable(&resources));
    record.propertyProcs = const_cast<PropertyProcs*>(HostPropertyProcTable(&document));
}

void HostSession::SetResources(const std::vector<HostResource>& resources) { impl_->resources = resources; }
const std::vector<HostResource>& HostSession::Resources() const { return impl_->resources; }

void HostSession::SetParameters(const std::vector<uint8_t>& bytes) {
    if (impl_->record.parameters) DisposeBufferHandle(impl_->record.parameters);
    impl_->record.parameters = nullptr;
    if (bytes.empty() || bytes.size() > (1u << 20)) return;
    Handle h = NewBufferHandle(int32_t(bytes.size()));
    if (!h) return;
    std::memcpy(*h, bytes.data(), bytes.size());
    impl_->record.parameters = h;
}

std::vector<uint8_t> HostSession::Parameters() const {
    Handle h = impl_->record.parameters;
    if (!IsLiveBufferHandle(h)) return {};
    return std::vector<uint8_t>(*h, *h + BufferHandleSize(h));
}

void HostSession::Impl::ServeRect(const VRect& r, int16_t lo, int16_t hi, int16_t padding, const uint8_t* pixels,
                                  std::vector<uint8_t>* buffer, void** out, int32_t* rowBytes, bool* inPlace) {
    *inPlace = false;
    if (Empty(r)) {
        *out = nullptr;
        *rowBytes = 0;
        return;
    }
    const int bps = image->bytesPerSample();
    const int planes = image->planes;
    lo = std::max<int16_t>(lo, 0);
    hi = std::min<int16_t>(hi, int16_t(planes - 1));
    const int delivered = std::max(0, hi - lo + 1);
    const bool inside = r.left >= 0 && r.top >= 0 && r.right <= image->width && r.bottom <= image->height;
    if (inside && lo == 0 && delivered == planes) {
        *out = const_cast<uint8_t*>(pixels) + size_t(r.top) * image->rowBytes() + size_t(r.left) * planes * bps;
        *rowBytes = int32_t(image->rowBytes());
        *inPlace = true;
        return;
    }
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    *rowBytes = int32_t(size_t(w) * delivered * bps);
    buffer->assign(size_t(*rowBytes) * h + 1, 0);
    for (int32_t y = 0; y < h; ++y) {
        const int32_t iy = r.top + y;
        for (int32_t x = 0; x < w; ++x) {
            int32_t ix = r.left + x, sy = iy;
            const bool outside = ix < 0 || sy < 0 || ix >= image->width || sy >= image->height;
            uint8_t* dst = buffer->data() + size_t(y) * *rowBytes + size_t(x) * delivered * bps;
            if (outside && padding != plugInWantsEdgeReplication) {
                // A literal padding value; "don't care" and "error" get 0, as
                // tolerant hosts do rather than fail a module that overhangs.
                const uint16_t value = padding >= 0 && padding <= 255 ? uint16_t(padding) : 0;
                for (int p = 0; p < delivered; ++p) {
                    if (bps == 2)
                        std::memcpy(dst + 2 * p, &value, 2);
                    else
                        dst[p] = uint8_t(value);
                }
                continue;
            }
            ix = std::clamp(ix, 0, image->width - 1);
            sy = std::clamp(sy, 0, image->height - 1);
            std::memcpy(dst, pixels + size_t(sy) * image->rowBytes() + (size_t(ix) * planes + lo) * bps,
                        size_t(delivered) * bps);
        }
    }
    *out = buffer->data();
}

OSErr HostSession::Impl::Deliver() {
    const VRect in = InRect(), out = OutRect(), mask = MaskRect();
    // The record is packed to 4 bytes: its pointers are filled from locals,
    // never through their (possibly misaligned) addresses.
    bool inPlace = false;
    void* inData = nullptr;
    void* outData = nullptr;
    ServeRect(in, record.inLoPlane, record.inHiPlane, record.inputPadding, source.data(), &inBuffer, &inData,
              &record.inRowBytes, &inPlace);
    ServeRect(out, record.outLoPlane, record.outHiPlane, record.outputPadding, image->pixels.data(), &outBuffer,
              &outData, &record.outRowBytes, &inPlace);
    record.inData = inData;
    record.outData = outData;
    outPending = !Empty(out) && !inPlace;
    pendingOut = out;
    const int bps = image->bytesPerSample();
    record.inColumnBytes = (record.inHiPlane - record.inLoPlane + 1) * bps;
    record.outColumnBytes = (record.outHiPlane - record.outLoPlane + 1) * bps;
    record.inPlaneBytes = record.outPlaneBytes = bps;

    record.maskData = nullptr;
    record.maskRowBytes = 0;
    if (record.haveMask && !Empty(mask)) {
        const std::vector<uint8_t>& m = *options.mask;
        const int32_t w = mask.right - mask.left, h = mask.bottom - mask.top;
        if (mask.left >= 0 && mask.top >= 0 && mask.right <= image->width && mask.bottom <= image->height) {
            record.maskData = const_cast<uint8_t*>(m.data()) + size_t(mask.top) * image->width + mask.left;
            record.maskRowBytes = image->width;
        } else {
            maskBuffer.assign(size_t(w) * h + 1, 0);
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x) {
                    const int32_t ix = mask.left + x, iy = mask.top + y;
                    if (ix >= 0 && iy >= 0 && ix < image->width && iy < image->height)
                        maskBuffer[size_t(y) * w + x] = m[size_t(iy) * image->width + ix];
                }
            record.maskData = maskBuffer.data();
            record.maskRowBytes = w;
        }
    }
    return noErr;
}

void HostSession::Impl::Commit() {
    if (!outPending) return;
    outPending = false;
    const VRect r = pendingOut;
    const int bps = image->bytesPerSample();
    const int planes = image->planes;
    const int16_t lo = std::max<int16_t>(record.outLoPlane, 0);
    const int16_t hi = std::min<int16_t>(record.outHiPlane, int16_t(planes - 1));
    const int delivered = std::max(0, hi - lo + 1);
    for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, image->height); ++y)
        for (int32_t x = std::max(r.left, 0); x < std::min(r.right, image->width); ++x)
            std::memcpy(image->pixels.data() + size_t(y) * image->rowBytes() + (size_t(x) * planes + lo) * bps,
                        outBuffer.data() + size_t(y - r.top) * record.outRowBytes +
                            size_t(x - r.left) * delivered * bps,
                        size_t(delivered) * bps);
}

int16_t HostSession::Impl::Call(int16_t selector) {
    result = noErr;
    entry(selector, &record, &data, &result);
    return result;
}

SessionResult HostSession::Run() {
    gSession = this;
    Impl& s = *impl_;
    SessionResult outcome;
    auto fail = [&](int16_t selector, int16_t error) {
        outcome.error = error;
        outcome.failedSelector = selector;
        s.Commit();
        return outcome;
    };
    if (s.descriptor.descriptor) DisposeBufferHandle(s.descriptor.descriptor);
    s.descriptor.descriptor = s.options.haveDescriptor ? NewDescriptorHandle(s.options.play) : nullptr;

    s.BindSuites();
    // Real hosts ask a module without parameters for them before its first run.
    if (s.options.withDialog || !s.record.parameters) {
        if (int16_t e = s.Call(filterSelectorParameters)) return fail(filterSelectorParameters, e);
    }
    if (int16_t e = s.Call(filterSelectorPrepare)) return fail(filterSelectorPrepare, e);
    if (int16_t e = s.Call(filterSelectorStart)) return fail(filterSelectorStart, e);
    s.Commit();
    // The Continue protocol: deliver what the module asks for until it asks
    // for nothing. A module that never stops is cut off.
    const int64_t limit = 4 * int64_t(s.image->height) + 16;
    for (int64_t round = 0; !(Empty(s.InRect()) && Empty(s.OutRect()) && Empty(s.MaskRect())); ++round) {
        if (round > limit) return fail(filterSelectorContinue, filterBadParameters);
        s.Deliver();
        const int16_t e = s.Call(filterSelectorContinue);
        s.Commit();
        if (e) return fail(filterSelectorContinue, e);
    }
    if (int16_t e = s.Call(filterSelectorFinish)) return fail(filterSelectorFinish, e);
    outcome.recorded = DescriptorFromHandle(s.descriptor.descriptor, &outcome.recordedDescriptor) &&
                       !outcome.recordedDescriptor.items.empty();
    return outcome;
}

void CallAbout(PluginEntryProc entry, intptr_t platformWindow) {
    PlatformData platform{platformWindow};
    AboutRecord about{};
    about.platformData = &platform;
    static SPBasicSuite basic{Callbacks::Acquire, Callbacks::Release, Callbacks::IsEqual, Callbacks::Allocate,
                              Callbacks::Free,    Callbacks::Reallocate, Callbacks::Undefined};
    about.sSPBasic = &basic;
    intptr_t data = 0;
    int16_t result = 0;
    entry(filterSelectorAbout, &about, &data, &result);
}

std::string DescribeResult(int16_t code) {
    switch (code) {
        case noErr: return "no error";
        case memFullErr: return "not enough memory";
        case nilHandleErr: return "missing memory handle";
        case userCanceledErr: return "cancelled";
        case paramErr: return "bad parameter";
        case filterBadParameters: return "the filter was called with bad parameters";
        case filterBadMode: return "the filter does not support this image mode";
        case errPlugInHostInsufficient: return "the host lacks a service the filter needs";
        case errMissingParameter: return "a scripting parameter is missing";
        case errReportString: return "the filter reported an error";
        default: break;
    }
    char text[48];
    std::snprintf(text, sizeof text, "error %d", int(code));
    return text;
}
