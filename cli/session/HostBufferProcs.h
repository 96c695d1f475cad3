// The host's buffer procedures (version 2): blocks of memory a module asks
// for outside its parameters, freed by the module or at the end of the run.
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

// `space` is what the space procedures answer: the run's memory budget.
const BufferProcs* HostBufferProcTable(int64_t space);

// Frees what the module left allocated; returns how many blocks that was.
int ReleaseHostBuffers();
