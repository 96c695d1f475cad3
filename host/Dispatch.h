// One selector call of the host, dispatched to its operation. The module's
// exported entry point calls this inside its exception barrier.
#pragma once

#include <cstdint>

#include "host/ModuleState.h"

void DispatchSelector(int16_t selector, FilterRecord* record, intptr_t* data, int16_t* result);
