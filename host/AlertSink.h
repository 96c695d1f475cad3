#pragma once

// True when a sink took the alert (the platform then shows nothing).
bool DeliverToAlertSink(const char* kind, const char* text, const char* caption);
