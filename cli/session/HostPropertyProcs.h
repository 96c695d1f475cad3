// The host's property procedures (version 1): what a module may ask about
// the document and the host. Unknown keys answer "not supported".
#pragma once

#include <cstdint>
#include <string>

#include "host/PluginInterface.h"

struct HostDocument {
    int16_t imageMode = 0;
    int16_t channels = 0;
    int32_t width = 0, height = 0;
    std::string title;  // the input file's name
};

// The procedures answer from `document` until the next call.
const PropertyProcs* HostPropertyProcTable(const HostDocument* document);

// Answers for the rest of a real host's services: processEvent does nothing,
// image services and channel ports are "not supported".
ProcessEventProc HostProcessEvent();
const ImageServicesProcs* HostImageServicesTable();
const ChannelPortProcs* HostChannelPortTable();
