#include "tests/support/FakeHost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/Alert.h"
#include "host/HostHandles.h"
#include "host/ModuleState.h"
#include "module/PluginMain.h"

namespace {

FakeHost* gHost = nullptr;

struct FakeHandle {
    char* data;
    int32_t size;
};

std::string RectText(const VRect& r) {
    char text[96];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", r.top, r.left, r.bottom, r.right);
    return text;
}

VRect Widen(const PIRect& r) { return VRect{r.top, r.left, r.bottom, r.right}; }
bool Empty(const VRect& r) { return r.bottom <= r.top || r.right <= r.left; }

struct ReadToken {
    std::vector<FakeHost::DescriptorItem> items;
    size_t next = 0;
    const FakeHost::DescriptorItem* current = nullptr;
};
struct WriteToken {
    std::vector<FakeHost::DescriptorItem> items;
};

}  // namespace

struct FakeHostCallbacks {
    static PIBoolean PI_CALL Abort() {
        FakeHost* h = gHost;
        const int check = h->abortChecks_++;
        return h->options_.abortAfterChecks >= 0 && check >= h->options_.abortAfterChecks;
    }
    static void PI_CALL Progress(int32_t done, int32_t total) {
        gHost->progressCalls++;
        gHost->lastProgress = {done, total};
    }
    static OSErr PI_CALL Advance() {
        FakeHost* h = gHost;
        const int index = h->advanceStateCalls++;
        h->calls.push_back("advanceState in=" + RectText(h->InRect()) + " out=" + RectText(h->OutRect()) +
                           " mask=" + RectText(h->MaskRect()));
        if (h->options_.advanceStateErrorAt == index) return h->options_.advanceStateError;
        h->Commit();
        h->Deliver();
        return noErr;
    }
    static OSErr PI_CALL Display(const void*, const VRect*, int32_t, int32_t, void*) { return noErr; }

    static Handle PI_CALL NewHandle(int32_t size) {
        FakeHost* h = gHost;
        const int index = h->newHandleCalls_++;
        h->calls.push_back("newHandle " + std::to_string(size));
        if (h->options_.failNewHandleAfter >= 0 && index >= h->options_.failNewHandleAfter) return nullptr;
        return HostOwnHandle(size);
    }
    // Handles the host makes for itself (descriptors): not module calls.
    static Handle HostOwnHandle(int32_t size) {
        FakeHost* h = gHost;
        if (size < 0) return nullptr;
        FakeHandle* handle = new FakeHandle{static_cast<char*>(std::calloc(size_t(size) + 1, 1)), size};
        h->liveHandles++;
        h->made_.insert(&handle->data);
        return &handle->data;
    }
    static void PI_CALL DisposeHandle(Handle handle) {
        if (!handle || !gHost->made_.erase(handle)) return;  // not ours, or already gone
        FakeHandle* fake = reinterpret_cast<FakeHandle*>(handle);
        std::free(fake->data);
        delete fake;
        gHost->liveHandles--;
        gHost->calls.push_back("disposeHandle");
    }
    static int32_t PI_CALL GetSize(Handle handle) { return handle ? reinterpret_cast<FakeHandle*>(handle)->size : 0; }
    static OSErr PI_CALL SetSize(Handle handle, int32_t size) {
        FakeHandle* fake = reinterpret_cast<FakeHandle*>(handle);
        char* data = static_cast<char*>(std::realloc(fake->data, size_t(size) + 1));
        if (!data) return memFullErr;
        if (size > fake->size) std::memset(data + fake->size, 0, size_t(size - fake->size));
        fake->data = data;
        fake->size = size;
        return noErr;
    }
    static Ptr PI_CALL Lock(Handle handle, PIBoolean) {
        gHost->calls.push_back("lockHandle");
        if (gHost->options_.failLock) return nullptr;
        return handle ? *handle : nullptr;
    }
    static void PI_CALL Unlock(Handle) { gHost->calls.push_back("unlockHandle"); }
    static void PI_CALL RecoverSpace(int32_t) {}
    static void PI_CALL DisposeRegular(Handle) {}

    // ---- descriptors
    static PIReadDescriptor PI_CALL OpenRead(PIDescriptorHandle descriptor, DescriptorKeyIDArray keys) {
        gHost->calls.push_back("openReadDescriptor");
        if (!descriptor) return nullptr;
        std::string expected;
        for (DescriptorKeyIDArray k = keys; k && *k; ++k) expected += CodeText(*k) + " ";
        gHost->expectedKeys = expected;
        ReadToken* token = new ReadToken;
        token->items = gHost->playDescriptor;
        return reinterpret_cast<PIReadDescriptor>(token);
    }
    static OSErr PI_CALL CloseRead(PIReadDescriptor token) {
        delete reinterpret_cast<ReadToken*>(token);
        gHost->calls.push_back("closeReadDescriptor");
        return gHost->closeReadError;
    }
    static PIBoolean PI_CALL GetKey(PIReadDescriptor t, DescriptorKeyID* key, DescriptorTypeID* type, int32_t* flags) {
        ReadToken* token = reinterpret_cast<ReadToken*>(t);
        if (token->next >= token->items.size()) return 0;
        token->current = &token->items[token->next++];
        *key = token->current->key;
        *type = token->current->type;
        *flags = 0;
        return 1;
    }
    static const FakeHost::DescriptorItem* Current(PIReadDescriptor t, uint32_t type) {
        const FakeHost::DescriptorItem* item = reinterpret_cast<ReadToken*>(t)->current;
        return item && item->type == type ? item : nullptr;
    }
    static OSErr PI_CALL GetInteger(PIReadDescriptor t, int32_t* value) {
        const auto* item = Current(t, typeInteger);
        if (!item) return paramErr;
        *value = int32_t(item->value);
        return noErr;
    }
    static OSErr PI_CALL GetFloat(PIReadDescriptor, double*) { return paramErr; }
    static OSErr PI_CALL GetUnitFloat(PIReadDescriptor t, DescriptorUnitID* unit, double* value) {
        const auto* item = Current(t, typeUnitFloat);
        if (!item) return paramErr;
        *unit = unitPercent;
        *value = item->value;
        return noErr;
    }
    static OSErr PI_CALL GetBoolean(PIReadDescriptor t, PIBoolean* value) {
        const auto* item = Current(t, typeBoolean);
        if (!item) return paramErr;
        *value = item->value != 0;
        return noErr;
    }
    static OSErr PI_CALL GetHandleValue(PIReadDescriptor, Handle*) { return paramErr; }
    static OSErr PI_CALL GetId(PIReadDescriptor, uint32_t*) { return paramErr; }
    static OSErr PI_CALL GetReference(PIReadDescriptor, PIDescriptorSimpleReference*) { return paramErr; }
    static OSErr PI_CALL GetObject(PIReadDescriptor, DescriptorClassID*, PIDescriptorHandle*) { return paramErr; }
    static OSErr PI_CALL GetString(PIReadDescriptor, uint8_t (*)[256]) { return paramErr; }
    static OSErr PI_CALL GetPinnedInteger(PIReadDescriptor, int32_t, int32_t, int32_t*) { return paramErr; }
    static OSErr PI_CALL GetPinnedFloat(PIReadDescriptor, const double*, const double*, double*) { return paramErr; }
    static OSErr PI_CALL GetPinnedUnitFloat(PIReadDescriptor, const double*, const double*, DescriptorUnitID*,
                                            double*) {
        return paramErr;
    }

    static PIWriteDescriptor PI_CALL OpenWrite() {
        gHost->calls.push_back("openWriteDescriptor");
        return reinterpret_cast<PIWriteDescriptor>(new WriteToken);
    }
    static OSErr PI_CALL CloseWrite(PIWriteDescriptor t, PIDescriptorHandle* out) {
        WriteToken* token = reinterpret_cast<WriteToken*>(t);
        gHost->recordedDescriptor = token->items;
        delete token;
        gHost->calls.push_back("closeWriteDescriptor");
        *out = HostOwnHandle(16);
        return noErr;
    }
    static void Put(PIWriteDescriptor t, uint32_t key, uint32_t type, double value) {
        reinterpret_cast<WriteToken*>(t)->items.push_back({key, type, value});
    }
    static OSErr PI_CALL PutInteger(PIWriteDescriptor t, DescriptorKeyID key, int32_t value) {
        Put(t, key, typeInteger, value);
        return noErr;
    }
    static OSErr PI_CALL PutFloat(PIWriteDescriptor t, DescriptorKeyID key, const double* value) {
        Put(t, key, typeFloat, *value);
        return noErr;
    }
    static OSErr PI_CALL PutUnitFloat(PIWriteDescriptor t, DescriptorKeyID key, DescriptorUnitID unit,
                                      const double* value) {
        gHost->recordedUnits.push_back(unit);
        Put(t, key, typeUnitFloat, *value);
        return noErr;
    }
    static OSErr PI_CALL PutBoolean(PIWriteDescriptor t, DescriptorKeyID key, PIBoolean value) {
        Put(t, key, typeBoolean, value);
        return noErr;
    }
    static OSErr PI_CALL PutHandleValue(PIWriteDescriptor, DescriptorKeyID, Handle) { return noErr; }
    static OSErr PI_CALL PutEnumerated(PIWriteDescriptor, DescriptorKeyID, DescriptorEnumTypeID, DescriptorEnumID) {
        return noErr;
    }
    static OSErr PI_CALL PutId(PIWriteDescriptor, DescriptorKeyID, uint32_t) { return noErr; }
    static OSErr PI_CALL PutReference(PIWriteDescriptor, DescriptorKeyID, const PIDescriptorSimpleReference*) {
        return noErr;
    }
    static OSErr PI_CALL PutObject(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID, PIDescriptorHandle) {
        return noErr;
    }
    static OSErr PI_CALL PutString(PIWriteDescriptor, DescriptorKeyID, const uint8_t*) { return noErr; }

    // ---- colour suite: a simple, exactly invertible RGB <-> CMYK
    static SPErr PI_CALL Convert8(int16_t in, int16_t out, Color8* colors, int16_t count) {
        gHost->calls.push_back("convert8 " + std::to_string(in) + "->" + std::to_string(out) + " " +
                               std::to_string(count));
        for (int i = 0; i < count; ++i) {
            uint8_t* c = colors[i];
            if (in == plugIncolorServicesCMYKSpace && out == plugIncolorServicesRGBSpace) {
                const int k = c[3];
                const uint8_t r = uint8_t(std::max(0, 255 - c[0] - k)), g = uint8_t(std::max(0, 255 - c[1] - k)),
                              b = uint8_t(std::max(0, 255 - c[2] - k));
                c[0] = 255;
                c[1] = r;
                c[2] = g;
                c[3] = b;
            } else if (in == plugIncolorServicesRGBSpace && out == plugIncolorServicesCMYKSpace) {
                const uint8_t cy = uint8_t(255 - c[1]), m = uint8_t(255 - c[2]), y = uint8_t(255 - c[3]);
                c[0] = cy;
                c[1] = m;
                c[2] = y;
                c[3] = 0;
            }
        }
        return kSPNoError;
    }
    static SPErr PI_CALL Convert16(int16_t in, int16_t out, Color16* colors, int16_t count) {
        gHost->calls.push_back("convert16 " + std::to_string(in) + "->" + std::to_string(out) + " " +
                               std::to_string(count));
        for (int i = 0; i < count; ++i) {
            uint16_t* c = colors[i];
            if (in == plugIncolorServicesCMYKSpace && out == plugIncolorServicesRGBSpace) {
                const int k = c[3];
                const uint16_t r = uint16_t(std::max(0, 32768 - c[0] - k)),
                               g = uint16_t(std::max(0, 32768 - c[1] - k)),
                               b = uint16_t(std::max(0, 32768 - c[2] - k));
                c[0] = 32768;
                c[1] = r;
                c[2] = g;
                c[3] = b;
            } else if (in == plugIncolorServicesRGBSpace && out == plugIncolorServicesCMYKSpace) {
                const uint16_t cy = uint16_t(32768 - c[1]), m = uint16_t(32768 - c[2]), y = uint16_t(32768 - c[3]);
                c[0] = cy;
                c[1] = m;
                c[2] = y;
                c[3] = 0;
            }
        }
        return kSPNoError;
    }
    static SPErr PI_CALL Acquire(const char* name, int32_t version, const void** suite) {
        gHost->calls.push_back(std::string("acquireSuite ") + name + " " + std::to_string(version));
        if (!gHost->options_.colorSuite || std::strcmp(name, kPSColorSpaceSuite) != 0 || version != 1)
            return kSPSuiteNotFoundError;
        static PSColorSpaceSuite1 table{};
        table.Convert8 = Convert8;
        table.Convert16 = Convert16;
        *suite = &table;
        return kSPNoError;
    }
    static SPErr PI_CALL Release(const char* name, int32_t version) {
        gHost->calls.push_back(std::string("releaseSuite ") + name + " " + std::to_string(version));
        return kSPNoError;
    }

    static void Alert(const char* kind, const char* text, const char* caption, void*) {
        if (gHost) gHost->alerts.push_back(std::string(kind) + "|" + (caption ? caption : "") + "|" + text);
    }
};

FakeHost::FakeHost(const FakeImage& image, const FakeHostOptions& options)
    : image_(image), source_(image), options_(options) {
    gHost = this;
    SetAlertSink(&FakeHostCallbacks::Alert, nullptr);
    using C = FakeHostCallbacks;

    handles_ = HandleProcs{kCurrentHandleProcsVersion, options.handleProcsCount, C::NewHandle, C::DisposeHandle,
                           C::GetSize, C::SetSize, C::Lock, C::Unlock, C::RecoverSpace, C::DisposeRegular};
    readProcs_ = ReadDescriptorProcs{kCurrentReadDescriptorProcsVersion,
                                     kCurrentReadDescriptorProcsCount,
                                     C::OpenRead,
                                     C::CloseRead,
                                     C::GetKey,
                                     C::GetInteger,
                                     C::GetFloat,
                                     C::GetUnitFloat,
                                     C::GetBoolean,
                                     C::GetHandleValue,
                                     C::GetHandleValue,
                                     C::GetId,
                                     C::GetId,
                                     C::GetReference,
                                     C::GetObject,
                                     C::GetId,
                                     C::GetString,
                                     C::GetPinnedInteger,
                                     C::GetPinnedFloat,
                                     C::GetPinnedUnitFloat};
    writeProcs_ = WriteDescriptorProcs{kCurrentWriteDescriptorProcsVersion,
                                       kCurrentWriteDescriptorProcsCount,
                                       C::OpenWrite,
                                       C::CloseWrite,
                                       C::PutInteger,
                                       C::PutFloat,
                                       C::PutUnitFloat,
                                       C::PutBoolean,
                                       C::PutHandleValue,
                                       C::PutHandleValue,
                                       C::PutEnumerated,
                                       C::PutId,
                                       C::PutReference,
                                       C::PutObject,
                                       C::PutId,
                                       C::PutString,
                                       C::PutId,
                                       C::PutObject};
    descriptor_.descriptorParametersVersion = kCurrentDescriptorParametersVersion;
    descriptor_.playInfo = options.playInfo;
    descriptor_.readDescriptorProcs = &readProcs_;
    descriptor_.writeDescriptorProcs = &writeProcs_;
    basic_.AcquireSuite = C::Acquire;
    basic_.ReleaseSuite = C::Release;

    record_.abortProc = C::Abort;
    record_.progressProc = C::Progress;
    record_.imageSize = PIPoint{int16_t(image.height), int16_t(image.width)};
    record_.planes = int16_t(image.planes);
    record_.filterRect = PIRect{0, 0, int16_t(image.height), int16_t(image.width)};
    record_.maxSpace = options.maxSpace;
    record_.imageMode = image.mode;
    record_.depth = image.depth;
    record_.hostSig = kPhotoshopSignature;
    record_.platformData = &platform_;
    record_.displayPixels = options.displayPixels ? C::Display : nullptr;
    record_.handleProcs = options.handleProcs ? &handles_ : nullptr;
    record_.advanceState = options.advanceState ? C::Advance : nullptr;
    record_.supportsPadding = 1;
    record_.inputPadding = record_.outputPadding = record_.maskPadding = plugInWantsErrorOnBoundsException;
    record_.descriptorParameters = options.descriptors ? &descriptor_ : nullptr;
    record_.sSPBasic = &basic_;
    record_.wholeSize = record_.imageSize;
    if (options.bigDocument) {
        big_.imageSize32 = VPoint{image.height, image.width};
        big_.filterRect32 = VRect{0, 0, image.height, image.width};
        big_.wholeSize32 = big_.imageSize32;
        record_.bigDocumentData = &big_;
    }
}

FakeHost::~FakeHost() {
    // Handles made by the module's own fallback go back the same way.
    gModule.filterRecord = &record_;
    if (record_.parameters) DisposeHostHandle(record_.parameters);
    if (data_) DisposeHostHandle(reinterpret_cast<Handle>(data_));
    gModule.filterRecord = nullptr;
    // Whatever the module left behind (a replaced descriptor, say) is freed here.
    while (!made_.empty()) FakeHostCallbacks::DisposeHandle(*made_.begin());
    SetAlertSink(nullptr, nullptr);
    gHost = nullptr;
}

EngraveParams* FakeHost::params() {
    return record_.parameters ? reinterpret_cast<EngraveParams*>(*record_.parameters) : nullptr;
}

void FakeHost::setMask(const std::vector<uint8_t>& mask) {
    mask_ = mask;
    record_.haveMask = 1;
}

VRect FakeHost::InRect() const {
    return record_.bigDocumentData && big_.PluginUsing32BitCoordinates ? big_.inRect32 : Widen(record_.inRect);
}
VRect FakeHost::OutRect() const {
    return record_.bigDocumentData && big_.PluginUsing32BitCoordinates ? big_.outRect32 : Widen(record_.outRect);
}
VRect FakeHost::MaskRect() const {
    return record_.bigDocumentData && big_.PluginUsing32BitCoordinates ? big_.maskRect32 : Widen(record_.maskRect);
}

namespace {

// Copies rect r of the image into a buffer; pixels outside the image get `pad`.
void Fill(const FakeImage& image, const VRect& r, int pad, std::vector<uint8_t>* buffer, int32_t* rowBytes) {
    const int w = std::max(0, r.right - r.left), h = std::max(0, r.bottom - r.top);
    const int bps = image.depth == 16 ? 2 : 1;
    *rowBytes = w * image.planes * bps;
    buffer->assign(size_t(*rowBytes) * h + 1, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int p = 0; p < image.planes; ++p) {
                const int ix = r.left + x, iy = r.top + y;
                const bool inside = ix >= 0 && iy >= 0 && ix < image.width && iy < image.height;
                const uint16_t v = inside ? image.at(ix, iy, p) : uint16_t(pad < 0 ? 0 : pad);
                const size_t i = size_t(y) * *rowBytes + (size_t(x) * image.planes + p) * bps;
                if (bps == 2)
                    std::memcpy(buffer->data() + i, &v, 2);
                else
                    (*buffer)[i] = uint8_t(v);
            }
}

}  // namespace

void FakeHost::Deliver() {
    const VRect in = InRect(), out = OutRect(), mask = MaskRect();
    // The input is the image as it was before the run; the output is what
    // the module has written so far, as with a real host's layers.
    Fill(source_, in, record_.inputPadding, &inBuffer_, &record_.inRowBytes);
    Fill(image_, out, record_.outputPadding, &outBuffer_, &record_.outRowBytes);
    record_.inData = Empty(in) ? nullptr : inBuffer_.data();
    record_.outData = Empty(out) ? nullptr : outBuffer_.data();
    deliveredOut_ = out;
    outPending_ = !Empty(out);
    record_.maskData = nullptr;
    if (!mask_.empty() && !Empty(mask)) {
        const int w = mask.right - mask.left, h = mask.bottom - mask.top;
        maskBuffer_.assign(size_t(w) * h + 1, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int ix = mask.left + x, iy = mask.top + y;
                if (ix >= 0 && iy >= 0 && ix < image_.width && iy < image_.height)
                    maskBuffer_[size_t(y) * w + x] = mask_[size_t(iy) * image_.width + ix];
            }
        record_.maskData = maskBuffer_.data();
        record_.maskRowBytes = w;
    }
}

void FakeHost::Commit() {
    if (!outPending_) return;
    outPending_ = false;
    const VRect r = deliveredOut_;
    const int bps = image_.depth == 16 ? 2 : 1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) continue;
            for (int p = 0; p < image_.planes; ++p) {
                const size_t i =
                    size_t(y - r.top) * record_.outRowBytes + (size_t(x - r.left) * image_.planes + p) * bps;
                uint16_t v;
                if (bps == 2)
                    std::memcpy(&v, outBuffer_.data() + i, 2);
                else
                    v = outBuffer_[i];
                image_.at(x, y, p) = v;
            }
        }
}

void FakeHost::DeliverWholeImage() {
    gHost = this;
    gModule.filterRecord = &record_;
    record_.inRect = record_.outRect = record_.maskRect = record_.filterRect;
    big_.inRect32 = big_.outRect32 = big_.maskRect32 = Widen(record_.filterRect);
    Deliver();
}

int16_t FakeHost::Call(int16_t selector) {
    gHost = this;
    result_ = 0;
    calls.push_back("selector " + std::to_string(selector));
    PluginMain(selector, &record_, &data_, &result_);
    return result_;
}

void FakeHost::CallAbout() {
    gHost = this;
    AboutRecord about{};
    about.platformData = &platform_;
    about.sSPBasic = &basic_;
    result_ = 12345;
    calls.push_back("selector 0");
    PluginMain(filterSelectorAbout, &about, &data_, &result_);
}

int16_t FakeHost::Run(bool withParameters) {
    if (playDescriptorPresent && !descriptor_.descriptor) descriptor_.descriptor = FakeHostCallbacks::HostOwnHandle(16);
    int16_t error = noErr;
    if (withParameters && (error = Call(filterSelectorParameters)) != noErr) return error;
    if ((error = Call(filterSelectorPrepare)) != noErr) return error;
    error = Call(filterSelectorStart);
    Commit();
    if (error != noErr) return error;
    for (int guard = 0; guard < 1000000; ++guard) {
        if (Empty(InRect()) && Empty(OutRect()) && Empty(MaskRect())) break;
        calls.push_back("deliver in=" + RectText(InRect()) + " out=" + RectText(OutRect()) +
                        " mask=" + RectText(MaskRect()));
        Deliver();
        continueCalls++;
        error = Call(filterSelectorContinue);
        Commit();
        if (error != noErr) return error;
    }
    return Call(filterSelectorFinish);
}

namespace {
AlertCapture* gCapture = nullptr;
void CaptureAlert(const char* kind, const char* text, const char* caption, void*) {
    if (gCapture) gCapture->lines.push_back(std::string(kind) + "|" + (caption ? caption : "") + "|" + text);
}
}  // namespace

AlertCapture::AlertCapture() {
    gCapture = this;
    SetAlertSink(&CaptureAlert, nullptr);
}

AlertCapture::~AlertCapture() {
    SetAlertSink(nullptr, nullptr);
    gCapture = nullptr;
}
