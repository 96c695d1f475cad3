#include "host/PreviewSource.h"

#include <cstring>

#include "host/ColorSuite.h"
#include "host/HostRects.h"

namespace {

// A 16-bit sample in 8 bits, as the panes show it.
uint8_t To8(const uint8_t* pixels, int depth, int64_t index) {
    if (depth != 16) return pixels[index];
    uint16_t v;
    std::memcpy(&v, pixels + 2 * index, 2);
    return (v & 0xFF80) > 32640 ? 255 : uint8_t(v >> 7);
}

}  // namespace

OSErr FetchWholeImage(FilterRecord* record) {
    if (!record || !record->advanceState) return errPlugInHostInsufficient;
    const VRect filter = GetFilterRect(record);
    SetInRect(record, filter);
    SetOutRect(record, filter);
    SetMaskRect(record, filter);
    record->inLoPlane = record->outLoPlane = 0;
    record->inHiPlane = record->outHiPlane = int16_t(record->planes - 1);
    record->inputRate = record->maskRate = kFixedOne;
    record->inputPadding = record->outputPadding = record->maskPadding = 255;
    return record->advanceState();
}

bool CmykDisplayCopy(const FilterRecord* host, const uint8_t* pixels, int64_t rowBytes, int width, int height, int planes, int depth,
                     std::vector<uint8_t>* rgba) {
    if (!host || !pixels || width <= 0 || height <= 0 || planes < 4) return false;
    const PSColorSpaceSuite1* suite = AcquireColorSuite(host->sSPBasic);
    if (!suite) return false;
    rgba->assign(size_t(width) * height * 4, 0);
    std::vector<uint8_t> row(size_t(width) * 4);  // Color8 quadruples
    bool converted = true;
    for (int y = 0; y < height && converted; ++y) {
        const uint8_t* src = pixels + int64_t(y) * rowBytes;
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) row[size_t(x) * 4 + c] = To8(src, depth, int64_t(x) * planes + c);
        converted = ConvertColors8(suite, plugIncolorServicesCMYKSpace, plugIncolorServicesRGBSpace,
                                   reinterpret_cast<Color8*>(row.data()), width);
        uint8_t* dst = rgba->data() + size_t(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            dst[4 * x + 0] = row[size_t(x) * 4 + 1];
            dst[4 * x + 1] = row[size_t(x) * 4 + 2];
            dst[4 * x + 2] = row[size_t(x) * 4 + 3];
            dst[4 * x + 3] = planes > 4 ? To8(src, depth, int64_t(x) * planes + 4) : 255;
        }
    }
    ReleaseColorSuite(host->sSPBasic);
    return converted;
}
