// Linux: the module is linked into the command.
#include <cstdio>

#include "cli/session/FilterModule.h"
#include "host/Alert.h"
#include "module/PluginMain.h"

PluginEntryProc LoadFilterModule(const std::string& path, std::string* error) {
    if (!path.empty()) {
        *error = "--plugin loads a Windows filter module; this build has the LumericII module built in";
        return nullptr;
    }
    return &PluginMain;
}

intptr_t HostWindowForDialogs() { return 0; }

namespace {
void PrintModuleMessage(const char* kind, const char* text, const char* caption, void*) {
    if (std::string(kind) == "about") {
        std::printf("%s %s\n%s\n", text, caption, kAboutLine);
        return;
    }
    std::fprintf(stderr, "lumeric: warning: %s\n", text);
}
}  // namespace

void RouteModuleMessagesToConsole(bool) { SetAlertSink(&PrintModuleMessage, nullptr); }
