// What the Windows command knows about the module it loaded, beyond the
// portable seam of cli/session/FilterModule.h.
#pragma once

// True when `address` lies in the loaded filter module's image.
bool IsInsideFilterModule(const void* address);
