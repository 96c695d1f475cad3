// All strokes of one colour pass: the line layout (kinds 0-2) or the ring
// and spiral layout (kinds 3-12).
#pragma once

#include "engine/RenderContext.h"

void DrawPatternPass(RenderContext& c);
