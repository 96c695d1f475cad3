// The filter module the command drives: linked in on Linux; on Windows a
// .8bf loaded from disk, its entry point found through its PiPL.
#pragma once

#include <cstdint>
#include <string>

#include "host/PluginInterface.h"

// `path` empty: the default module. Null with a message on failure.
PluginEntryProc LoadFilterModule(const std::string& path, std::string* error);

// A top-level window of the host for the module's dialogs (0 when none).
intptr_t HostWindowForDialogs();

// Takes the module's message boxes and prints them as warnings instead;
// `dialogWanted` (--dialog) leaves the module's windows to the user where
// there are windows.
void RouteModuleMessagesToConsole(bool dialogWanted);
