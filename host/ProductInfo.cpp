#include "host/Alert.h"
#include "resources/Version.h"

const char* const kProductName = "LumericII";
const char* const kProductVersion = LUMERIC_VERSION_TEXT;
// UTF-8 here; the Windows About box carries its own Windows-1252 copy.
const char* const kAboutLine = "Plug-in filter for Adobe\u00ae Photoshop\u00ae.";
