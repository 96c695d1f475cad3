#include "tests/support/FakeHost.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/Alert.h"
#include "host/HostHandles.h"
#include "host/ModuleState.h"
#include "module/PluginMain.h"

FakeImage TexturedImage(int width, int height, int planes, int depth, int16_t mode) {
    FakeImage image;
    image.width = width, image.height = height, image.planes = planes, image.depth = depth;
    image.mode = mode >= 0 ? mode : depth == 16 ? int16_t(plugInModeRGB48) : int16_t(plugInModeRGBColor);
    image.samples.resize(size_t(width) * height * planes);
    const int full = depth == 16 ? 32768 : 255;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int p = 0; p < planes; ++p) {
                const int v = (x * 255 / std::max(1, width - 1) + y * 3 + p * 40 + (x * y) % 17) % 256;
                const int ramp = full * x / std::max(1, width - 1);
                image.at(x, y, p) = uint16_t(p == 3 ? ramp : depth == 16 ? v * 128 + x % 128 : v);
            }
    return image;
}

namespace {

FakeHost* gHost = nullptr;

struct FakeHandle {
    char* data;  // first: its address is the Handle
    int32_t size;
};

struct ReadToken {
    std::vector<FakeHost::DescriptorItem> items;
    size_t next = 0;
    const FakeHost::DescriptorItem* current = nullptr;
};
using WriteToken = std::vector<FakeHost::DescriptorItem>;

bool Empty(const VRect& r) { return r.bottom <= r.top || r.right <= r.left; }
bool Inside(const FakeImage& image, int x, int y) { return x >= 0 && y >= 0 && x < image.width && y < image.height; }

// Every descriptor procedure the module does not use: present, as a real
// host's are, and answering `kResult`.
template <OSErr kResult, typename... Args>
OSErr PI_CALL Unused(Args...) {
    return kResult;
}

// Byte offset of sample p of pixel (x, y) in a buffer that holds rectangle r.
size_t Offset(const FakeImage& image, const VRect& r, int32_t rowBytes, int x, int y, int p) {
    return size_t(y - r.top) * rowBytes + (size_t(x - r.left) * image.planes + p) * (image.depth == 16 ? 2 : 1);
}

// Copies rectangle r of the image into a buffer; pixels outside the image get `pad`.
void Fill(const FakeImage& image, const VRect& r, int pad, std::vector<uint8_t>* buffer, int32_t* rowBytes) {
    *rowBytes = std::max(0, r.right - r.left) * image.planes * (image.depth == 16 ? 2 : 1);
    buffer->assign(size_t(*rowBytes) * std::max(0, r.bottom - r.top) + 1, 0);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            for (int p = 0; p < image.planes; ++p) {
                const uint16_t v = Inside(image, x, y) ? image.at(x, y, p) : uint16_t(std::max(0, pad));
                // Little-endian, as every host of the module: one byte is the low one.
                std::memcpy(buffer->data() + Offset(image, r, *rowBytes, x, y, p), &v, image.depth == 16 ? 2 : 1);
            }
}

}  // namespace

struct FakeHostCallbacks {
    static PIBoolean PI_CALL Abort() {
        const int check = gHost->abortChecks_++;
        return gHost->options_.abortAfterChecks >= 0 && check >= gHost->options_.abortAfterChecks;
    }
    static void PI_CALL Progress(int32_t done, int32_t total) {
        gHost->progressCalls++;
        if (gHost->progressCalls > 1 && done < gHost->lastProgress.first) gHost->progressSetbacks++;
        gHost->lastProgress = {done, total};
    }
    static OSErr PI_CALL Advance() {
        FakeHost* h = gHost;
        const int index = h->advanceStateCalls++;
        h->calls.push_back("advanceState " + h->RectsText());
        if (h->options_.advanceStateErrorAt == index) return h->options_.advanceStateError;
        h->Commit();
        h->Deliver();
        return noErr;
    }
    static OSErr PI_CALL Display(const void*, const VRect*, int32_t, int32_t, void*) { return noErr; }

    // ---- handles
    static Handle PI_CALL NewHandle(int32_t size) {
        const int index = gHost->newHandleCalls_++;
        gHost->calls.push_back("newHandle " + std::to_string(size));
        if (gHost->options_.failNewHandleAfter >= 0 && index >= gHost->options_.failNewHandleAfter) return nullptr;
        return HostOwnHandle(size);
    }
    // Handles the host makes for itself (descriptors): not module calls.
    static Handle HostOwnHandle(int32_t size) {
        if (size < 0) return nullptr;
        FakeHandle* handle = new FakeHandle{static_cast<char*>(std::calloc(size_t(size) + 1, 1)), size};
        gHost->liveHandles++;
        gHost->made_.insert(&handle->data);
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
    static int32_t PI_CALL GetSize(Handle handle) {
        if (gHost->options_.sizeQueryAnswersZero) return 0;
        return handle ? reinterpret_cast<FakeHandle*>(handle)->size : 0;
    }
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
        return gHost->options_.failLock || !handle ? nullptr : *handle;
    }
    static void PI_CALL Unlock(Handle) { gHost->calls.push_back("unlockHandle"); }

    // ---- descriptors
    static PIReadDescriptor PI_CALL OpenRead(PIDescriptorHandle descriptor, DescriptorKeyIDArray keys) {
        if (!descriptor) return nullptr;
        gHost->expectedKeys.clear();
        for (DescriptorKeyIDArray k = keys; k && *k; ++k) gHost->expectedKeys += CodeText(*k) + " ";
        return reinterpret_cast<PIReadDescriptor>(new ReadToken{gHost->playDescriptor});
    }
    static OSErr PI_CALL CloseRead(PIReadDescriptor token) {
        delete reinterpret_cast<ReadToken*>(token);
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
    // The current item's value, when it has the type asked for.
    template <typename T>
    static OSErr Current(PIReadDescriptor t, uint32_t type, T* value) {
        const FakeHost::DescriptorItem* item = reinterpret_cast<ReadToken*>(t)->current;
        if (!item || item->type != type) return paramErr;
        *value = T(item->value);
        return noErr;
    }
    static OSErr PI_CALL GetInteger(PIReadDescriptor t, int32_t* value) { return Current(t, typeInteger, value); }
    static OSErr PI_CALL GetBoolean(PIReadDescriptor t, PIBoolean* value) { return Current(t, typeBoolean, value); }
    static OSErr PI_CALL GetUnitFloat(PIReadDescriptor t, DescriptorUnitID* unit, double* value) {
        const OSErr error = Current(t, typeUnitFloat, value);
        if (error == noErr) *unit = unitPercent;
        return error;
    }

    static PIWriteDescriptor PI_CALL OpenWrite() { return reinterpret_cast<PIWriteDescriptor>(new WriteToken); }
    static OSErr PI_CALL CloseWrite(PIWriteDescriptor t, PIDescriptorHandle* out) {
        gHost->recordedDescriptor = *reinterpret_cast<WriteToken*>(t);
        delete reinterpret_cast<WriteToken*>(t);
        *out = HostOwnHandle(16);
        return noErr;
    }
    template <uint32_t kType, typename T>
    static OSErr PI_CALL Put(PIWriteDescriptor t, DescriptorKeyID key, T value) {
        reinterpret_cast<WriteToken*>(t)->push_back({key, kType, double(value)});
        return noErr;
    }
    static OSErr PI_CALL PutUnitFloat(PIWriteDescriptor t, DescriptorKeyID key, DescriptorUnitID unit,
                                      const double* value) {
        gHost->recordedUnits.push_back(unit);
        return Put<typeUnitFloat>(t, key, *value);
    }

    // ---- colour suite: a simple, exactly invertible RGB <-> CMYK
    template <typename Sample, int kFull>
    static SPErr PI_CALL Convert(int16_t in, int16_t out, Sample (*colors)[4], int16_t count) {
        gHost->calls.push_back(std::string(kFull == 255 ? "convert8 " : "convert16 ") + std::to_string(in) + "->" +
                               std::to_string(out) + " " + std::to_string(count));
        const bool toRgb = in == plugIncolorServicesCMYKSpace && out == plugIncolorServicesRGBSpace;
        const bool toCmyk = in == plugIncolorServicesRGBSpace && out == plugIncolorServicesCMYKSpace;
        for (int i = 0; i < count; ++i) {
            Sample* c = colors[i];
            const int k = c[3];
            if (toRgb) {
                c[3] = Sample(std::max(0, kFull - c[2] - k));
                c[2] = Sample(std::max(0, kFull - c[1] - k));
                c[1] = Sample(std::max(0, kFull - c[0] - k));
                c[0] = Sample(kFull);
            } else if (toCmyk) {
                c[0] = Sample(kFull - c[1]), c[1] = Sample(kFull - c[2]), c[2] = Sample(kFull - c[3]), c[3] = 0;
            }
        }
        return kSPNoError;
    }
    static SPErr PI_CALL Acquire(const char* name, int32_t version, const void** suite) {
        if (!gHost->options_.colorSuite || std::strcmp(name, kPSColorSpaceSuite) != 0 || version != 1)
            return kSPSuiteNotFoundError;
        static PSColorSpaceSuite1 table{};
        table.Convert8 = Convert<uint8_t, 255>;
        table.Convert16 = Convert<uint16_t, 32768>;
        *suite = &table;
        return kSPNoError;
    }
    static SPErr PI_CALL Release(const char*, int32_t) { return kSPNoError; }

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
                           C::GetSize, C::SetSize, C::Lock, C::Unlock, nullptr, nullptr};
    readProcs_ = ReadDescriptorProcs{
        kCurrentReadDescriptorProcsVersion, kCurrentReadDescriptorProcsCount, C::OpenRead, C::CloseRead, C::GetKey,
        C::GetInteger, Unused<paramErr>, C::GetUnitFloat, C::GetBoolean, Unused<paramErr>, Unused<paramErr>,
        Unused<paramErr>, Unused<paramErr>, Unused<paramErr>, Unused<paramErr>, Unused<paramErr>, Unused<paramErr>,
        Unused<paramErr>, Unused<paramErr>, Unused<paramErr>};
    writeProcs_ = WriteDescriptorProcs{
        kCurrentWriteDescriptorProcsVersion, kCurrentWriteDescriptorProcsCount, C::OpenWrite, C::CloseWrite,
        C::Put<typeInteger, int32_t>, Unused<noErr>, C::PutUnitFloat, C::Put<typeBoolean, PIBoolean>, Unused<noErr>,
        Unused<noErr>, Unused<noErr>, Unused<noErr>, Unused<noErr>, Unused<noErr>, Unused<noErr>, Unused<noErr>,
        Unused<noErr>, Unused<noErr>};
    descriptor_.descriptorParametersVersion = kCurrentDescriptorParametersVersion;
    descriptor_.playInfo = options.playInfo;
    descriptor_.readDescriptorProcs = &readProcs_;
    descriptor_.writeDescriptorProcs = &writeProcs_;
    basic_.AcquireSuite = C::Acquire;
    basic_.ReleaseSuite = C::Release;

    record_.abortProc = C::Abort;
    record_.progressProc = C::Progress;
    record_.wholeSize = record_.imageSize = PIPoint{int16_t(image.height), int16_t(image.width)};
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
    if (options.bigDocument) {
        big_.imageSize32 = big_.wholeSize32 = VPoint{image.height, image.width};
        big_.filterRect32 = VRect{0, 0, image.height, image.width};
        record_.bigDocumentData = &big_;
    }
}

FakeHost::~FakeHost() {
    gHost = this;  // another fake host may have come and gone meanwhile
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
    mask_ = FakeImage{image_.width, image_.height, 1, 8, 0, std::vector<uint16_t>(mask.begin(), mask.end())};
    record_.haveMask = 1;
}

FakeHost::Rects FakeHost::Requested() const {
    if (record_.bigDocumentData && big_.PluginUsing32BitCoordinates)
        return {big_.inRect32, big_.outRect32, big_.maskRect32};
    auto widen = [](const PIRect& r) { return VRect{r.top, r.left, r.bottom, r.right}; };
    return {widen(record_.inRect), widen(record_.outRect), widen(record_.maskRect)};
}

std::string FakeHost::RectsText() const {
    const Rects r = Requested();
    return "in=" + RectText(r.in) + " out=" + RectText(r.out) + " mask=" + RectText(r.mask);
}

void FakeHost::Deliver() {
    const Rects r = Requested();
    // The input is the image as it was before the run; the output is what
    // the module has written so far, as with a real host's layers.
    Fill(source_, r.in, record_.inputPadding, &inBuffer_, &record_.inRowBytes);
    Fill(image_, r.out, record_.outputPadding, &outBuffer_, &record_.outRowBytes);
    record_.inData = Empty(r.in) ? nullptr : inBuffer_.data();
    record_.outData = Empty(r.out) ? nullptr : outBuffer_.data();
    deliveredOut_ = r.out;
    outPending_ = !Empty(r.out);
    record_.maskData = nullptr;
    if (mask_.samples.empty() || Empty(r.mask)) return;
    Fill(mask_, r.mask, 0, &maskBuffer_, &record_.maskRowBytes);
    record_.maskData = maskBuffer_.data();
}

void FakeHost::Commit() {
    if (!outPending_) return;
    outPending_ = false;
    const VRect r = deliveredOut_;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            for (int p = 0; Inside(image_, x, y) && p < image_.planes; ++p) {
                uint16_t v = 0;
                const uint8_t* at = outBuffer_.data() + Offset(image_, r, record_.outRowBytes, x, y, p);
                std::memcpy(&v, at, image_.depth == 16 ? 2 : 1);
                image_.at(x, y, p) = v;
            }
}

int16_t FakeHost::Call(int16_t selector) {
    gHost = this;
    result_ = options_.resultPreset;
    calls.push_back("selector " + std::to_string(selector));
    (options_.entry ? options_.entry : PluginMain)(selector, &record_, &data_, &result_);
    return result_;
}

int16_t FakeHost::Run(bool withParameters) {
    if (playDescriptorPresent && !descriptor_.descriptor) descriptor_.descriptor = FakeHostCallbacks::HostOwnHandle(16);
    int16_t error = noErr;
    if (withParameters && (error = Call(filterSelectorParameters)) != noErr) return error;
    if ((error = Call(filterSelectorPrepare)) != noErr) return error;
    if (options_.dropParametersAfterPrepare) {
        FakeHostCallbacks::DisposeHandle(record_.parameters);
        record_.parameters = nullptr;
    }
    error = Call(filterSelectorStart);
    Commit();
    // Deliver windows until the module empties the rectangles; the guard
    // stops one that never does.
    for (int guard = 0; error == noErr && guard < 1000000; ++guard) {
        const Rects r = Requested();
        if (Empty(r.in) && Empty(r.out) && Empty(r.mask)) return Call(filterSelectorFinish);
        calls.push_back("deliver " + RectsText());
        Deliver();
        continueCalls++;
        error = Call(filterSelectorContinue);
        Commit();
    }
    return error;
}
