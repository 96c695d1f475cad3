// The two stroke walkers: a straight (possibly waved) line, and one ring or
// one spiral turn around the pattern centre. Each walks its stroke in small
// steps, samples the picture and stamps the brush.
#pragma once

#include "engine/RenderContext.h"

// One line from (x0, y0) to (x1, y1); the wave phase runs from (refX, refY).
// waveKind 0, 1 or 2; F the frequency per raster unit.
void DrawLineStroke(RenderContext& c, int waveKind, float F, float x0, float y0, float x1, float y1, float refX,
                    float refY);

// One ring (isSpiral false) or spiral turn of the given radius around the
// centre; the spiral shrinks by `pitch` over the turn. waveKind 0..4.
void DrawRingStroke(RenderContext& c, bool isSpiral, float pitch, float radius, int waveKind, float F);
