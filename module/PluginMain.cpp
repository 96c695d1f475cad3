// The exported entry point: wires the parameter dialog into the selector
// flow and never lets an exception reach the host.
#include "module/PluginMain.h"

#include <new>

#include "dialog/RunDialog.h"
#include "host/Dispatch.h"
#include "host/Selectors.h"

extern "C" PLUGIN_EXPORT void PI_CALL PluginMain(int16_t selector, void* paramBlock, intptr_t* data,
                                                 int16_t* result) {
    // A crash or exception here would take the host and the user's unsaved
    // document with it: everything stops at this boundary.
    try {
        gModule.runDialog = &RunDialog;
        DispatchSelector(selector, static_cast<FilterRecord*>(paramBlock), data, result);
    } catch (const std::bad_alloc&) {
        if (result && selector != filterSelectorAbout) *result = memFullErr;
    } catch (...) {
        if (result && selector != filterSelectorAbout) *result = filterBadParameters;
    }
}
