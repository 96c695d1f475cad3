// Fuzzes the readers of a module's resources: arbitrary bytes as PiPL,
// AETE and version data. Nothing may read out of bounds, and what is read
// must fit in what was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cli/session/Aete.h"
#include "cli/session/Pipl.h"
#include "cli/session/VersionInfo.h"

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
    Aete aete;
    if (ParseAete(data, size, aete) && aete.trailingBytes > size) std::abort();
    VersionInfo version;
    if (ParseVersionInfo(data, size, version)) {
        size_t text = 0;
        for (const VersionStringTable& table : version.stringTables)
            for (const auto& entry : table.strings) text += entry.first.size() + entry.second.size();
        // UTF-8 takes at most three bytes for each UTF-16 unit of two.
        if (text > size * 3 / 2 || version.translations.size() > size / 4) std::abort();
    }
    return 0;
}
