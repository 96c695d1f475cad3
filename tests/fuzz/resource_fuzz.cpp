// Fuzzes the reader of a module's PiPL, which lumeric.exe reads from any
// module it is given: nothing may read out of bounds, and what is read must
// fit in what was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cli/session/Pipl.h"

namespace {

// The real resources are a few hundred bytes; larger inputs only slow the search.
constexpr size_t kMaxInput = 64 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    Pipl pipl;
    if (ParsePipl(data, size, pipl)) {
        size_t total = 10;
        for (const PiplProperty& property : pipl.properties) total += 16 + property.data.size();
        if (total > size) std::abort();
        for (const PiplProperty& property : pipl.properties) {
            if (PiplCString(property).size() > property.data.size()) std::abort();
            if (PiplPascalString(property).size() >= property.data.size() + 1) std::abort();
        }
    }
    return 0;
}
