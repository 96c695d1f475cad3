// Pixel moves of the filter pass around the engine: the source copy (with
// CMYK converted to RGB), the output back to CMYK, and the selection blend.
#pragma once

#include <cstdint>

#include "host/PassLayout.h"
#include "host/PluginInterface.h"

// Fills the source copy (window pixels, `planes` samples each, rows of
// windowWidth pixels) from the input. CMYK goes through the colour suite;
// returns false when a conversion fails.
bool FillSourceCopy(const PassLayout& layout, void* copy, const PSColorSpaceSuite1* suite);

// Converts the output region from RGB back to CMYK, moving the engine's
// alpha (sample 3) to the image's transparency plane (sample 4).
bool ConvertOutputToCmyk(const PassLayout& layout, const PSColorSpaceSuite1* suite);

// Puts the region's original input pixels back into the output (used when a
// pass cannot finish, so that the output is left as it was).
void RestoreOutputFromInput(const PassLayout& layout);

// Blends the output with the pixels from before the pass by the selection
// mask: 255 keeps the engraving, 0 restores the original exactly.
void BlendWithSelection(const PassLayout& layout);
