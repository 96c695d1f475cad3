// A Photoshop-compatible host session: fills a FilterRecord for one image and
// calls a filter module's entry point selector by selector, as a real host
// does — handles, buffers, resources, properties, advanceState with padding
// and 32-bit rectangles, the tiled Continue protocol, progress and abort,
// the scripting descriptor, and the "Photoshop ColorSpace Suite for Plug-ins".
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/session/HostDescriptor.h"
#include "cli/session/HostResourceProcs.h"
#include "cli/session/InterfaceImage.h"
#include "host/PluginInterface.h"

// The colour conversions behind the suite, in the interface's conventions.
struct ColorService {
    std::function<bool(int16_t from, int16_t to, Color8* colors, int count)> convert8;
    std::function<bool(int16_t from, int16_t to, Color16* colors, int count)> convert16;
};

struct SessionOptions {
    bool tiled = false;          // no advanceState: the Continue protocol
    int64_t maxSpace = 0;        // memory budget; 0 = the whole image at once
    bool withDialog = false;     // call Parameters and play with "display"
    bool haveDescriptor = false; // hand `play` to the module at Start
    Descriptor play;
    int16_t playInfo = plugInDialogSilent;
    const std::vector<uint8_t>* mask = nullptr;  // width x height bytes, or null
    ColorService color;
    std::function<void(int32_t done, int32_t total)> progress;
    const std::atomic<bool>* cancel = nullptr;  // abortProc answers true once set
    intptr_t platformWindow = 0;                // PlatformData.hwnd for dialogs
    std::string title;                          // the document's title property
};

struct SessionResult {
    int16_t error = noErr;        // the module's result word of the failing selector
    int16_t failedSelector = -1;  // -1 when every selector succeeded
    bool recorded = false;        // the module wrote a descriptor at Finish
    Descriptor recordedDescriptor;
};

class HostSession {
public:
    HostSession(PluginEntryProc entry, InterfaceImage* image, const SessionOptions& options);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The parameters handle the module keeps between runs (its contents).
    void SetParameters(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> Parameters() const;
    // The resources modules add to the document, kept like the parameters.
    void SetResources(const std::vector<HostResource>& resources);
    const std::vector<HostResource>& Resources() const;

    // Prepare, Start, Continue until the rectangles are empty, Finish (with
    // Parameters first when the dialog is wanted or the module has no
    // parameters yet). The image is updated in place.
    SessionResult Run();

    struct Impl;

private:
    friend struct SessionAccess;
    Impl* impl_;
};

// Selector 0 with an AboutRecord.
void CallAbout(PluginEntryProc entry, intptr_t platformWindow);

// The meaning of a host result code, for messages.
std::string DescribeResult(int16_t code);
