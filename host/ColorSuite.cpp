#include "host/ColorSuite.h"


const PSColorSpaceSuite1* AcquireColorSuite(SPBasicSuite* basic) {
    if (!basic || !basic->AcquireSuite) return nullptr;
    const void* suite = nullptr;
    if (basic->AcquireSuite(kPSColorSpaceSuite, kPSColorSpaceSuiteVersion1, &suite) != kSPNoError || !suite)
        return nullptr;
    const PSColorSpaceSuite1* table = static_cast<const PSColorSpaceSuite1*>(suite);
    if (!table->Convert8 || !table->Convert16) {
        ReleaseColorSuite(basic);
        return nullptr;
    }
    return table;
}

void ReleaseColorSuite(SPBasicSuite* basic) {
    if (basic && basic->ReleaseSuite) basic->ReleaseSuite(kPSColorSpaceSuite, kPSColorSpaceSuiteVersion1);
}

bool ConvertColors8(const PSColorSpaceSuite1* suite, int16_t from, int16_t to, Color8* colors, int64_t count) {
    for (int64_t done = 0; done < count; done += kColorSuiteMaxCount) {
        const int64_t piece = count - done < kColorSuiteMaxCount ? count - done : kColorSuiteMaxCount;
        if (suite->Convert8(from, to, colors + done, int16_t(piece)) != kSPNoError) return false;
    }
    return true;
}

bool ConvertColors16(const PSColorSpaceSuite1* suite, int16_t from, int16_t to, Color16* colors, int64_t count) {
    for (int64_t done = 0; done < count; done += kColorSuiteMaxCount) {
        const int64_t piece = count - done < kColorSuiteMaxCount ? count - done : kColorSuiteMaxCount;
        if (suite->Convert16(from, to, colors + done, int16_t(piece)) != kSPNoError) return false;
    }
    return true;
}
