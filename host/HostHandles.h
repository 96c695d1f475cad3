// Handle utilities: the host's HandleProcs when it offers usable ones,
// otherwise a fallback in process memory with the same behaviour (zero-filled
// storage, *h valid without locking).
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

// True when the current FilterRecord's HandleProcs can be used: version 1,
// at least 8 procedures, and new, dispose, get-size and set-size present.
bool HostHandleProcsUsable(const FilterRecord* record);

Handle NewHostHandle(int32_t size);
void DisposeHostHandle(Handle h);
int32_t GetHostHandleSize(Handle h);
Ptr LockHostHandle(Handle h, bool moveHigh);
void UnlockHostHandle(Handle h);
