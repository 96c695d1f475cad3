// Where alerts go when a caller (a test, the lumeric command) takes them
// instead of the platform's own display.
#include "host/Alert.h"
#include "host/AlertSink.h"

namespace {
AlertSink gSink = nullptr;
void* gSinkContext = nullptr;
}  // namespace

void SetAlertSink(AlertSink sink, void* context) {
    gSink = sink;
    gSinkContext = context;
}

bool DeliverToAlertSink(const char* kind, const char* text, const char* caption) {
    if (!gSink) return false;
    gSink(kind, text, caption, gSinkContext);
    return true;
}
