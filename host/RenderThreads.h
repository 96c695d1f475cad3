// How many threads a render of the module uses: one per processor, or the
// count in the environment variable LUMERIC_THREADS (1 to 64), which the
// lumeric command's --threads sets and a user can set for any host.
#pragma once

#include <string>

// The count LUMERIC_THREADS asks for; 0 when it is unset or not a whole
// number from 1 to 64 (the render then uses one thread per processor).
int RenderThreadsFromEnvironment();

// Parses a thread count: a whole number from 1 to 64, else 0.
int ParseThreadCount(const std::string& text);
