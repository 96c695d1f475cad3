// How many threads a render of the module uses. In a host the module works
// on the host's thread alone, as hosts expect of a filter; the environment
// variable LUMERIC_THREADS (1 to 64) asks for more. The lumeric command sets
// it: one per processor, or its --threads.
#pragma once

#include <string>

// The count LUMERIC_THREADS asks for; 1 when it is unset or not a whole
// number from 1 to 64.
int RenderThreadsFromEnvironment();

// Parses a thread count: a whole number from 1 to 64, else 0.
int ParseThreadCount(const std::string& text);
