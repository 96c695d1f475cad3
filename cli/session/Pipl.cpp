#include "cli/session/Pipl.h"

#include <algorithm>

#include "cli/session/ResourceCursor.h"
#include "host/PluginInterface.h"

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

bool ParsePipl(const uint8_t* bytes, size_t size, Pipl& pipl, std::string* error) {
    pipl = Pipl{};
    ResourceCursor in(bytes, size);
    if (in.I16() != 1) return Fail(error, "no PiPL prelude");
    pipl.version = in.I32();
    const int32_t count = in.I32();
    if (!in.ok) return Fail(error, "truncated PiPL header");
    if (count < 0 || size_t(count) > in.Remaining() / 16) return Fail(error, "PiPL property count past the end");
    for (int32_t i = 0; i < count; ++i) {
        PiplProperty property;
        property.vendor = in.U32();
        property.key = in.U32();
        property.id = in.I32();
        const int32_t length = in.I32();
        if (!in.ok) return Fail(error, "truncated PiPL property");
        if (length < 0 || size_t(length) > in.Remaining()) return Fail(error, "PiPL property data past the end");
        const std::string data = in.Bytes(size_t(length));
        property.data.assign(data.begin(), data.end());
        // The next property starts on a 4-byte boundary of the list; the
        // last one's padding may be missing.
        const size_t pad = (4 - size_t(length) % 4) % 4;
        in.Seek(in.pos + std::min(pad, in.Remaining()));
        pipl.properties.push_back(property);
    }
    return true;
}

const PiplProperty* FindPiplProperty(const Pipl& pipl, uint32_t key) {
    for (const PiplProperty& property : pipl.properties) {
        if (property.key == key) return &property;
    }
    return nullptr;
}

std::string PiplCString(const PiplProperty& property) {
    const auto end = std::find(property.data.begin(), property.data.end(), uint8_t(0));
    return std::string(property.data.begin(), end);
}

std::string PiplPascalString(const PiplProperty& property) {
    if (property.data.empty()) return std::string();
    const size_t length = std::min<size_t>(property.data[0], property.data.size() - 1);
    return std::string(property.data.begin() + 1, property.data.begin() + 1 + ptrdiff_t(length));
}

uint32_t EntryPointKeyFor(uint16_t machine) {
    switch (machine) {
        case kMachineX86_64: return FourCC("8664");
        case kMachineI386: return FourCC("wx86");
        default: return 0;
    }
}
