// The one seam through which the module talks to the user outside the
// dialog: modal message boxes and the About box. On Windows these are the
// real MessageBoxA and dialog; in the native build a line on standard error,
// which tests and the lumeric command can capture through a sink.
#pragma once

enum class AlertIcon { Exclamation, Error, Information };

// A modal message box with no owner and an OK button.
void ShowAlert(const char* text, const char* caption, AlertIcon icon);

// The About box, owned by the host window in `ownerPlatformData` (a
// PlatformData pointer, may be null).
void ShowAboutBox(void* ownerPlatformData);

// Product identity shown by the About box and the version resource.
extern const char* const kProductName;     // "LumericII"
extern const char* const kProductVersion;  // from the VERSION file
extern const char* const kAboutLine;       // "Plug-in filter for Adobe® Photoshop®."

// Native builds: where alerts go instead of standard error. `kind` is
// "alert" or "about"; for "about" the caption is the version.
typedef void (*AlertSink)(const char* kind, const char* text, const char* caption, void* context);
void SetAlertSink(AlertSink sink, void* context);
