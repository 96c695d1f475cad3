// Progress reports: where a pass's (done, total) go. A final render reports
// to the host's progress callback; the dialog's preview passes its own sink.
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

struct ProgressSink {
    void (*report)(void* context, int32_t done, int32_t total);  // may be null
    void* context;
};

// The host's progressProc of `record` (nothing when it offers none).
ProgressSink HostProgress(const FilterRecord* record);

// Both values truncated toward zero to integers, `done` raised to 0 when
// negative (NaN counts as 0), then handed to the sink.
void UpdateProgress(const ProgressSink& sink, float done, float total);
