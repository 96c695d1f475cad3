// A fake Photoshop-compatible host for protocol tests: it fills a
// FilterRecord like a real host, serves the rectangles the module asks for,
// records the calls it receives and can fail on demand.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/EngraveParams.h"
#include "host/PluginInterface.h"

// A four-char code as its four characters ("Angl").
inline std::string CodeText(uint32_t code) {
    return std::string{char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

// "top,left,bottom,right", as the recorded calls show rectangles.
inline std::string RectText(const VRect& r) {
    return std::to_string(r.top) + "," + std::to_string(r.left) + "," + std::to_string(r.bottom) + "," +
           std::to_string(r.right);
}

struct FakeImage {
    int width = 0, height = 0, planes = 3, depth = 8;
    int16_t mode = plugInModeRGBColor;
    std::vector<uint16_t> samples;  // width x height x planes, 8-bit values stay below 256
    uint16_t& at(int x, int y, int p) { return samples[(size_t(y) * width + x) * planes + p]; }
    uint16_t at(int x, int y, int p) const { return samples[(size_t(y) * width + x) * planes + p]; }
};

// Ramps with some texture in every sample (16-bit ones in their low bits
// too) and sample 3 (alpha, or K) rising from 0 at the left to full at the
// right; the mode is RGB of the depth unless given.
FakeImage TexturedImage(int width, int height, int planes = 3, int depth = 8, int16_t mode = -1);

struct FakeHostOptions {
    bool advanceState = true, displayPixels = true, handleProcs = true, bigDocument = false;
    bool descriptors = true, colorSuite = true, failLock = false;
    bool sizeQueryAnswersZero = false;  // getSizeProc says 0 for every handle, as some hosts do
    int16_t resultPreset = 0;           // the result word before each call
    bool dropParametersAfterPrepare = false;  // Run disposes the record's handle between Prepare and Start
    int16_t handleProcsCount = 8, playInfo = plugInDialogDontDisplay;
    int32_t maxSpace = 1 << 30;
    int failNewHandleAfter = -1;   // the n-th newProc call (0-based) and later fail
    int abortAfterChecks = -1;     // abortProc answers true from the n-th call on
    int advanceStateErrorAt = -1;  // the n-th advanceState call fails with advanceStateError
    OSErr advanceStateError = noErr;
    // The module's entry point: the one linked in, or a loaded module's.
    void(PI_CALL* entry)(int16_t selector, void* block, intptr_t* data, int16_t* result) = nullptr;
};

class FakeHost {
public:
    explicit FakeHost(const FakeImage& image, const FakeHostOptions& options = {});
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // One selector call through PluginMain; returns the result word.
    int16_t Call(int16_t selector);
    // A whole run as a host drives it: [Parameters] Prepare Start Continue* Finish.
    int16_t Run(bool withParameters);

    FilterRecord& record() { return record_; }
    PlatformData& platform() { return platform_; }  // the host window that owns the module's dialogs
    BigDocumentStruct& bigDocument() { return big_; }
    PIDescriptorParameters& descriptorParameters() { return descriptor_; }
    EngraveParams* params();
    intptr_t data() const { return data_; }
    void setMask(const std::vector<uint8_t>& mask);  // width x height bytes
    const FakeImage& image() const { return image_; }  // the result after the run

    // What the host saw, one line per event: selector calls, handles made
    // and disposed, unlocks, advanceState and Continue windows with their
    // rectangles ("advanceState in=0,0,16,8 out=0,0,16,8 mask=0,0,16,8"),
    // colour conversions ("convert8 2->0 30").
    std::vector<std::string> calls;
    std::vector<std::string> alerts;  // module message boxes, "kind|caption|text"
    std::pair<int32_t, int32_t> lastProgress{-1, -1};
    int progressCalls = 0, progressSetbacks = 0;  // setbacks: `done` below the previous report
    std::string expectedKeys;             // keys announced when the reader opened, "ClSt Geom ..."
    std::vector<uint32_t> recordedUnits;  // units of the unit floats written
    int advanceStateCalls = 0, continueCalls = 0;
    int liveHandles = 0;  // made by the host and not yet disposed

    // Descriptor handed to the module at Start, and what it wrote at Finish:
    // key, type, value (booleans and integers as numbers).
    struct DescriptorItem { uint32_t key; uint32_t type; double value; };
    std::vector<DescriptorItem> playDescriptor;  // set before Run to replay
    bool playDescriptorPresent = false;
    std::vector<DescriptorItem> recordedDescriptor;
    OSErr closeReadError = noErr;

private:
    friend struct FakeHostCallbacks;
    struct Rects { VRect in, out, mask; };
    Rects Requested() const;  // what the module asked for, in 32 bits when it uses those
    std::string RectsText() const;
    void Deliver();
    void Commit();

    FakeImage image_;   // the result
    FakeImage source_;  // the image before the run: what the input serves
    FakeHostOptions options_;
    FilterRecord record_{};
    BigDocumentStruct big_{};
    HandleProcs handles_{};
    PIDescriptorParameters descriptor_{};
    ReadDescriptorProcs readProcs_{};
    WriteDescriptorProcs writeProcs_{};
    SPBasicSuite basic_{};
    PlatformData platform_{};
    FakeImage mask_;  // one plane
    std::vector<uint8_t> inBuffer_, outBuffer_, maskBuffer_;
    VRect deliveredOut_{};
    bool outPending_ = false;
    intptr_t data_ = 0;
    int16_t result_ = 0;
    int newHandleCalls_ = 0, abortChecks_ = 0;
    std::set<Handle> made_;  // handles of ours still alive
};
