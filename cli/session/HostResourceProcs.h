// The host's resource procedures (version 3): typed blocks a module adds to
// the document, kept for the run (and, with --state, between runs).
#pragma once

#include <cstdint>
#include <vector>

#include "host/PluginInterface.h"

struct HostResource {
    OSType type;
    std::vector<uint8_t> bytes;
};

// The procedures work on `resources` until the next call.
const ResourceProcs* HostResourceProcTable(std::vector<HostResource>* resources);

// Resources are kept up to these sizes (the state file holds them).
constexpr size_t kMaxResourceBytes = 1 << 20;
constexpr size_t kMaxResources = 256;
