#include "engine/LayoutFrame.h"

LayoutFrame MakeLayoutFrame(const EngraveRegion& region, bool antialiased) {
    LayoutFrame f{};
    f.unit = antialiased ? 4 : 1;
    f.width = region.imageWidth;
    f.height = region.imageHeight;
    f.rasterWidth = float(double(f.width) * f.unit);
    f.rasterHeight = float(double(f.height) * f.unit);
    f.halfW = f.rasterWidth * 0.5f;
    f.halfH = f.rasterHeight * 0.5f;
    f.regionX0 = region.left * f.unit;
    f.regionY0 = region.top * f.unit;
    f.regionX1 = f.regionX0 + region.width * f.unit;
    f.regionY1 = f.regionY0 + region.height * f.unit;
    return f;
}
