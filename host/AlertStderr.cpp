// Native seam: alerts become one line on standard error unless a sink takes them.
#include <cstdio>

#include "host/Alert.h"
#include "host/AlertSink.h"

void ShowAlert(const char* text, const char* caption, AlertIcon) {
    if (DeliverToAlertSink("alert", text, caption)) return;
    const bool titled = caption && *caption;
    std::fprintf(stderr, "%s%s%s\n", titled ? caption : "", titled ? ": " : "", text);
}

void ShowAboutBox(void*) {
    if (DeliverToAlertSink("about", kProductName, kProductVersion)) return;
    std::fprintf(stderr, "%s %s\n%s\n", kProductName, kProductVersion, kAboutLine);
}
