// The host's handle procedures (version 1, 8 procedures). A handle points to
// a master record whose first word is the data pointer, so *h is valid
// without locking, as plug-ins expect.
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

const HandleProcs* HostHandleProcTable();

Handle NewBufferHandle(int32_t size);  // zero-filled; null on failure
void DisposeBufferHandle(Handle h);
int32_t BufferHandleSize(Handle h);
bool IsLiveBufferHandle(Handle h);  // made by us and not yet disposed
int LiveBufferHandleCount();
