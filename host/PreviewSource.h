// What the dialog's panes need from the host besides the preview render:
// the whole image delivered once, and an 8-bit RGBA display copy of CMYK
// pixels made through the host's colour suite.
#pragma once

#include <cstdint>
#include <vector>

#include "host/PluginInterface.h"

// Asks the host for the filter rectangle as input, output and mask, every
// plane, at full resolution (padding 255), and returns advanceState's
// answer (errPlugInHostInsufficient when the host has no advanceState).
OSErr FetchWholeImage(FilterRecord* record);

// CMYK pixels (4 samples, or 5 with transparency; 8-bit, or 16-bit with
// full scale 32768, brought to 8 bits first) as red, green, blue, alpha
// bytes, `width` x `height`, rows packed. Alpha is the transparency sample,
// or 255 without one. False when the host offers no colour suite or it fails.
bool CmykDisplayCopy(const FilterRecord* host, const uint8_t* pixels, int64_t rowBytes, int width, int height, int planes, int depth,
                     std::vector<uint8_t>* rgba);
