// Fuzzes the module file reader: arbitrary bytes as a PE file (machine,
// exports, every resource, and each resource's data through the PiPL, AETE
// and version parsers), and as raw PiPL, AETE and version data. Nothing may
// read out of bounds, and what is read must fit in what was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "cli/session/PeResources.h"

namespace {

// Modules are about 1 MiB, but the structures the reader walks fit in a few
// KiB; larger inputs only slow the search.
constexpr size_t kMaxInput = 256 * 1024;

void ParseResourceData(const uint8_t* data, size_t size) {
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
    ParseVersionInfo(data, size, version);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    ParseResourceData(data, size);

    PeImage image;
    if (!OpenPeImage(data, size, image)) return 0;
    PeExports exports;
    ReadPeExports(image, exports);
    std::vector<PeResource> resources;
    if (!ListPeResources(image, resources)) return 0;
    if (resources.size() > size / 8) std::abort();  // every resource needs its own directory entry
    std::vector<uint8_t> bytes;
    for (const PeResource& resource : resources) {
        if (!ReadPeResourceData(image, resource, bytes)) continue;
        if (bytes.size() != resource.size || bytes.size() > size) std::abort();
        ParseResourceData(bytes.data(), bytes.size());
    }
    FindPeResource(image, ResourceKey::Name("PiPL"), ResourceKey::Id(16000), bytes);
    return 0;
}
