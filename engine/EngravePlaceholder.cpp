// Placeholder until the engine lands.
#include "engine/Engrave.h"

size_t SubpixelRasterBytes(int width, int height) { return size_t(4) * height * ((width + 1) / 2); }
size_t CoverageRasterBytes(int width, int height) { return size_t(height) * ((width + 1) / 2); }
int EngraveReachRows(const EngraveParams&, const EngraveRegion&) { return 0; }
void EngraveRender(const EngraveParams&, const EngraveRegion&, const EngraveImage&, const MaskView&, bool,
                   const EngraveScratch&, const EngraveProgress&) {}
