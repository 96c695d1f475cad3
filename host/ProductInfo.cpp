#include "host/Alert.h"

const char* const kProductName = "LumericII";
const char* const kProductVersion = "2.0.0";
// UTF-8 here; the Windows About box carries its own Windows-1252 copy.
const char* const kAboutLine = "Plug-in filter for Adobe\u00ae Photoshop\u00ae.";
