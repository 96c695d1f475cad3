// The host's "Photoshop ColorSpace Suite for Plug-ins", version 1: RGB and
// CMYK conversions of rows of four-sample colours.
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

// Acquires the suite from the host's basic suite (FilterRecord.sSPBasic);
// null when the host has none.
const PSColorSpaceSuite1* AcquireColorSuite(SPBasicSuite* basic);
void ReleaseColorSuite(SPBasicSuite* basic);

// Converts `count` colours in place, in pieces the suite's 16-bit count can
// carry. Returns false when the suite reports an error.
bool ConvertColors8(const PSColorSpaceSuite1* suite, int16_t from, int16_t to, Color8* colors, int64_t count);
bool ConvertColors16(const PSColorSpaceSuite1* suite, int16_t from, int16_t to, Color16* colors, int64_t count);
