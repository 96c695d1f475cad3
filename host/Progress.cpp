#include "host/Progress.h"

namespace {

int32_t ToCount(float value) {
    // Truncation toward zero, with NaN and out-of-range values kept finite.
    if (!(value == value) || value <= 0) return 0;
    if (value >= 2147483520.0f) return INT32_MAX;
    return int32_t(value);
}

void ToHost(void* context, int32_t done, int32_t total) {
    const FilterRecord* record = static_cast<const FilterRecord*>(context);
    record->progressProc(done, total);
}

}  // namespace

ProgressSink HostProgress(const FilterRecord* record) {
    if (!record || !record->progressProc) return ProgressSink{nullptr, nullptr};
    return ProgressSink{&ToHost, const_cast<FilterRecord*>(record)};
}

void UpdateProgress(const ProgressSink& sink, float done, float total) {
    if (sink.report) sink.report(sink.context, ToCount(done), ToCount(total));
}
