#include "cli/session/PeResources.h"

#include <algorithm>
#include <set>

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

// Little-endian reads from a bounded span. A read past the end yields zero
// and clears `ok`, so parsers read a whole record and check once.
struct Cursor {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool ok = true;

    Cursor(const uint8_t* d, size_t s, size_t p = 0) : data(d), size(s), pos(p) { ok = p <= s; }

    size_t Remaining() const { return ok ? size - pos : 0; }
    void Seek(size_t to) {
        if (to > size) ok = false;
        if (ok) pos = to;
    }
    bool Take(size_t count) {
        if (!ok || count > size - pos) return ok = false;
        pos += count;
        return true;
    }
    uint8_t U8() { return Take(1) ? data[pos - 1] : 0; }
    uint16_t U16() { return Take(2) ? uint16_t(data[pos - 2] | data[pos - 1] << 8) : 0; }
    uint32_t U32() {
        if (!Take(4)) return 0;
        const uint8_t* p = data + pos - 4;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    int16_t I16() { return int16_t(U16()); }
    int32_t I32() { return int32_t(U32()); }
    std::string Bytes(size_t count) {
        if (!Take(count)) return std::string();
        return std::string(reinterpret_cast<const char*>(data + pos - count), count);
    }
    std::string Pascal() { return Bytes(U8()); }
    // A non-negative int16 count, else the cursor fails.
    size_t Count16() {
        const int16_t count = I16();
        if (count < 0) ok = false;
        return ok ? size_t(count) : 0;
    }
};

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// `count` UTF-16 units at `p` (all in bounds) as UTF-8; a lone surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(const uint8_t* p, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        uint32_t c = Le16(p + 2 * i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
            const uint32_t low = Le16(p + 2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// ---------------------------------------------------------------- PE image

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr size_t kMaxSections = 96;  // the loader's own limit
constexpr size_t kMaxExportNameLength = 4096;

// Bytes of section `s` actually present in the file.
uint64_t PresentBytes(const PeImage& image, const PeSection& s) {
    if (s.rawOffset >= image.size) return 0;
    uint64_t present = std::min<uint64_t>(s.rawSize, image.size - s.rawOffset);
    if (s.virtualSize != 0) present = std::min<uint64_t>(present, s.virtualSize);
    return present;
}

// File offset of the byte at `rva` and how many bytes follow it in the same
// section; false when the address is in no section's file data.
bool MapRva(const PeImage& image, uint32_t rva, size_t& offset, size_t& available) {
    for (const PeSection& s : image.sections) {
        if (rva < s.virtualAddress) continue;
        const uint64_t inside = uint64_t(rva) - s.virtualAddress;
        const uint64_t present = PresentBytes(image, s);
        if (inside >= present) continue;
        offset = size_t(s.rawOffset + inside);
        available = size_t(present - inside);
        return true;
    }
    return false;
}

bool MapRange(const PeImage& image, uint32_t rva, uint32_t length, size_t& offset) {
    size_t available = 0;
    if (MapRva(image, rva, offset, available)) return available >= length;
    offset = 0;
    return length == 0;  // nothing to read, wherever it claims to be
}

bool ReadCStringAt(const PeImage& image, uint32_t rva, std::string& text) {
    size_t offset = 0, available = 0;
    if (!MapRva(image, rva, offset, available)) return false;
    const size_t limit = std::min(available, kMaxExportNameLength);
    const uint8_t* start = image.bytes + offset;
    const uint8_t* end = std::find(start, start + limit, uint8_t(0));
    if (end == start + limit) return false;
    text.assign(reinterpret_cast<const char*>(start), size_t(end - start));
    return true;
}

// ---------------------------------------------------------------- resources

constexpr uint32_t kHighBit = 0x80000000u;
constexpr int kResourceLevels = 3;  // type, name, language

struct ResourceWalk {
    const uint8_t* base;  // the resource directory in the file
    size_t size;
    std::set<uint32_t> visited;
    std::vector<PeResource>* out;
    std::string* error;
};

bool ReadResourceKey(const ResourceWalk& walk, uint32_t field, ResourceKey& key) {
    if (!(field & kHighBit)) {
        key = ResourceKey::Id(uint16_t(field));
        return true;
    }
    const uint32_t at = field & ~kHighBit;
    if (at > walk.size || walk.size - at < 2) return false;
    const size_t units = Le16(walk.base + at);
    if ((walk.size - at - 2) / 2 < units) return false;
    key.isId = false;
    key.id = 0;
    key.name = Utf16ToUtf8(walk.base + at + 2, units);
    return true;
}

bool WalkDirectory(ResourceWalk& walk, uint32_t at, int level, PeResource& path) {
    if (!walk.visited.insert(at).second) return Fail(walk.error, "resource directory reached twice (a loop)");
    if (at > walk.size || walk.size - at < 16) return Fail(walk.error, "resource directory outside the file");
    const size_t entries = size_t(Le16(walk.base + at + 12)) + Le16(walk.base + at + 14);
    if ((walk.size - at - 16) / 8 < entries) return Fail(walk.error, "resource directory entries outside the file");
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* entry = walk.base + at + 16 + 8 * i;
        const uint32_t nameField = Le32(entry);
        const uint32_t target = Le32(entry + 4);
        if (level == 0 && !ReadResourceKey(walk, nameField, path.type)) return Fail(walk.error, "bad resource type name");
        if (level == 1 && !ReadResourceKey(walk, nameField, path.name)) return Fail(walk.error, "bad resource name");
        if (level == 2) {
            if (nameField & kHighBit) return Fail(walk.error, "resource language given as a string");
            path.language = uint16_t(nameField);
        }
        const bool isDirectory = (target & kHighBit) != 0;
        if (isDirectory != (level < kResourceLevels - 1)) return Fail(walk.error, "resource directory too deep or shallow");
        if (isDirectory) {
            if (!WalkDirectory(walk, target & ~kHighBit, level + 1, path)) return false;
            continue;
        }
        if (target > walk.size || walk.size - target < 16) return Fail(walk.error, "resource data entry outside the file");
        path.dataRva = Le32(walk.base + target);
        path.size = Le32(walk.base + target + 4);
        walk.out->push_back(path);
    }
    return true;
}

// ---------------------------------------------------------------- AETE

bool ReadAeteEvent(Cursor& in, AeteEvent& event) {
    event.name = in.Pascal();
    event.description = in.Pascal();
    event.eventClass = in.U32();
    event.eventId = in.U32();
    event.replyType = in.U32();
    event.replyDescription = in.Pascal();
    event.replyFlags = in.U16();
    event.directType = in.U32();
    event.directDescription = in.Pascal();
    event.directFlags = in.U16();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteParameter parameter;
        parameter.name = in.Pascal();
        parameter.key = in.U32();
        parameter.type = in.U32();
        parameter.description = in.Pascal();
        parameter.flags = in.U16();
        event.parameters.push_back(parameter);
    }
    return in.ok;
}

bool ReadAeteClass(Cursor& in, AeteClass& cls) {
    cls.name = in.Pascal();
    cls.id = in.U32();
    cls.description = in.Pascal();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteParameter property;
        property.name = in.Pascal();
        property.key = in.U32();
        property.type = in.U32();
        property.description = in.Pascal();
        property.flags = in.U16();
        cls.properties.push_back(property);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteClassElement element;
        element.type = in.U32();
        for (size_t k = in.Count16(); in.ok && k > 0; --k) element.keyForms.push_back(in.U32());
        cls.elements.push_back(element);
    }
    return in.ok;
}

bool ReadAeteSuite(Cursor& in, AeteSuite& suite) {
    suite.name = in.Pascal();
    suite.description = in.Pascal();
    suite.id = in.U32();
    suite.level = in.I16();
    suite.version = in.I16();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteEvent event;
        if (ReadAeteEvent(in, event)) suite.events.push_back(event);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteClass cls;
        if (ReadAeteClass(in, cls)) suite.classes.push_back(cls);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteComparison comparison;
        comparison.name = in.Pascal();
        comparison.id = in.U32();
        comparison.description = in.Pascal();
        if (in.ok) suite.comparisons.push_back(comparison);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteEnumeration enumeration;
        enumeration.id = in.U32();
        for (size_t k = in.Count16(); in.ok && k > 0; --k) {
            AeteEnumerator enumerator;
            enumerator.name = in.Pascal();
            enumerator.id = in.U32();
            enumerator.description = in.Pascal();
            if (in.ok) enumeration.enumerators.push_back(enumerator);
        }
        if (in.ok) suite.enumerations.push_back(enumeration);
    }
    return in.ok;
}

// ---------------------------------------------------------------- version

constexpr uint32_t kFixedInfoSignature = 0xFEEF04BDu;
constexpr int kMaxVersionDepth = 4;

struct VersionBlock {
    size_t end = 0;         // one past the block
    std::string key;
    size_t valueStart = 0;  // after the key, 4-aligned
    uint16_t valueLength = 0;
    uint16_t type = 0;      // 1 text, 0 binary
    size_t childrenStart = 0;
};

size_t Align4(size_t at) { return (at + 3) & ~size_t(3); }

bool ReadVersionBlock(const uint8_t* bytes, size_t limit, size_t at, VersionBlock& block) {
    if (at > limit || limit - at < 6) return false;
    const size_t length = Le16(bytes + at);
    if (length < 6 || length > limit - at) return false;
    block.end = at + length;
    block.valueLength = Le16(bytes + at + 2);
    block.type = Le16(bytes + at + 4);
    size_t p = at + 6;
    size_t units = 0;
    while (p + 2 * units + 2 <= block.end && Le16(bytes + p + 2 * units) != 0) ++units;
    if (p + 2 * units + 2 > block.end) return false;  // unterminated key
    block.key = Utf16ToUtf8(bytes + p, units);
    block.valueStart = std::min(Align4(p + 2 * units + 2), block.end);
    const size_t valueBytes = block.type == 1 ? 2 * size_t(block.valueLength) : block.valueLength;
    block.childrenStart = std::min(Align4(block.valueStart + valueBytes), block.end);
    return true;
}

// A text value: UTF-16 up to its NUL or the block's end (writers disagree
// on whether the declared length counts the NUL or bytes or characters).
std::string VersionText(const uint8_t* bytes, const VersionBlock& block) {
    size_t units = 0;
    while (block.valueStart + 2 * units + 2 <= block.end && Le16(bytes + block.valueStart + 2 * units) != 0) ++units;
    return Utf16ToUtf8(bytes + block.valueStart, units);
}

enum class VersionLevel { Root, StringFileInfo, VarFileInfo, StringTable };

bool ReadVersionChildren(const uint8_t* bytes, const VersionBlock& parent, VersionLevel level, int depth,
                         VersionInfo& info) {
    if (depth > kMaxVersionDepth) return false;
    for (size_t at = parent.childrenStart; Align4(at) < parent.end;) {
        at = Align4(at);
        VersionBlock block;
        if (!ReadVersionBlock(bytes, parent.end, at, block)) return false;
        bool ok = true;
        if (level == VersionLevel::Root && block.key == "StringFileInfo") {
            ok = ReadVersionChildren(bytes, block, VersionLevel::StringFileInfo, depth + 1, info);
        } else if (level == VersionLevel::Root && block.key == "VarFileInfo") {
            ok = ReadVersionChildren(bytes, block, VersionLevel::VarFileInfo, depth + 1, info);
        } else if (level == VersionLevel::StringFileInfo) {
            info.stringTables.push_back(VersionStringTable{block.key, {}});
            ok = ReadVersionChildren(bytes, block, VersionLevel::StringTable, depth + 1, info);
        } else if (level == VersionLevel::StringTable) {
            info.stringTables.back().strings.emplace_back(block.key, VersionText(bytes, block));
        } else if (level == VersionLevel::VarFileInfo && block.key == "Translation") {
            const size_t valueEnd = std::min(block.end, block.valueStart + size_t(block.valueLength));
            for (size_t p = block.valueStart; p + 4 <= valueEnd; p += 4) {
                info.translations.push_back(VersionTranslation{Le16(bytes + p), Le16(bytes + p + 2)});
            }
        }
        if (!ok) return false;
        at = block.end;
    }
    return true;
}

}  // namespace

std::string pe::FourCCText(uint32_t code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) text[size_t(i)] = char(code >> (24 - 8 * i));
    return text;
}

// ---------------------------------------------------------------- PE image

bool OpenPeImage(const uint8_t* bytes, size_t size, PeImage& image, std::string* error) {
    image = PeImage{};
    image.bytes = bytes;
    image.size = size;
    if (!bytes || size < 64 || bytes[0] != 'M' || bytes[1] != 'Z') return Fail(error, "not an MZ executable");
    Cursor in(bytes, size, Le32(bytes + 0x3C));
    if (in.Bytes(4) != std::string("PE\0\0", 4)) return Fail(error, "no PE signature");

    image.machineCode = in.U16();
    const size_t sectionCount = in.U16();
    in.Take(12);  // time stamp, symbol table, symbol count
    const size_t optionalSize = in.U16();
    const uint16_t characteristics = in.U16();
    if (!in.ok) return Fail(error, "truncated file header");
    image.isDll = (characteristics & 0x2000) != 0;
    image.machine = image.machineCode == kMachineI386    ? PeMachine::I386
                    : image.machineCode == kMachineAmd64 ? PeMachine::X86_64
                                                         : PeMachine::Unknown;

    const size_t optionalAt = in.pos;
    Cursor optional(bytes, std::min(size, optionalAt + optionalSize), optionalAt);
    const uint16_t magic = optional.U16();
    if (magic != 0x10B && magic != 0x20B) return Fail(error, "unknown optional header");
    image.pe32Plus = magic == 0x20B;
    optional.Seek(optionalAt + (image.pe32Plus ? 108 : 92));
    const uint32_t directoryCount = optional.U32();
    if (!optional.ok) return Fail(error, "truncated optional header");
    auto directory = [&](uint32_t index, uint32_t& rva, uint32_t& length) {
        if (index >= directoryCount) return;
        Cursor entry(bytes, optional.size, optional.pos + 8 * size_t(index));
        const uint32_t r = entry.U32(), l = entry.U32();
        if (entry.ok) rva = r, length = l;
    };
    directory(0, image.exportRva, image.exportSize);
    directory(2, image.resourceRva, image.resourceSize);

    if (sectionCount > kMaxSections) return Fail(error, "too many sections");
    Cursor table(bytes, size, optionalAt + optionalSize);
    for (size_t i = 0; i < sectionCount; ++i) {
        PeSection s;
        const std::string name = table.Bytes(8);
        s.name = name.substr(0, name.find('\0'));
        s.virtualSize = table.U32();
        s.virtualAddress = table.U32();
        s.rawSize = table.U32();
        s.rawOffset = table.U32();
        table.Take(16);  // relocations, line numbers, characteristics
        if (!table.ok) return Fail(error, "truncated section table");
        image.sections.push_back(s);
    }
    return true;
}

bool ReadPeExports(const PeImage& image, PeExports& exports, std::string* error) {
    exports = PeExports{};
    if (image.exportRva == 0 || image.exportSize == 0) return true;
    size_t at = 0;
    if (!MapRange(image, image.exportRva, 40, at)) return Fail(error, "export directory outside the file");
    const uint8_t* dir = image.bytes + at;
    if (!ReadCStringAt(image, Le32(dir + 12), exports.moduleName)) exports.moduleName.clear();
    const uint32_t nameCount = Le32(dir + 24);
    const uint32_t namesRva = Le32(dir + 32);
    if (nameCount == 0) return true;
    if (nameCount > image.size / 4 || nameCount > 0x3FFFFFFFu || !MapRange(image, namesRva, nameCount * 4, at))
        return Fail(error, "export name table outside the file");
    for (uint32_t i = 0; i < nameCount; ++i) {
        std::string name;
        if (!ReadCStringAt(image, Le32(image.bytes + at + 4 * size_t(i)), name))
            return Fail(error, "export name outside the file");
        exports.names.push_back(name);
    }
    return true;
}

// ---------------------------------------------------------------- resources

ResourceKey ResourceKey::Id(uint16_t id) {
    ResourceKey key;
    key.id = id;
    return key;
}

ResourceKey ResourceKey::Name(const std::string& name) {
    ResourceKey key;
    key.isId = false;
    key.name = name;
    return key;
}

bool ResourceKey::Matches(const ResourceKey& other) const {
    if (isId != other.isId) return false;
    if (isId) return id == other.id;
    return name.size() == other.name.size() &&
           std::equal(name.begin(), name.end(), other.name.begin(),
                      [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
}

bool ListPeResources(const PeImage& image, std::vector<PeResource>& resources, std::string* error) {
    resources.clear();
    if (image.resourceRva == 0 || image.resourceSize == 0) return true;
    size_t at = 0, available = 0;
    if (!MapRva(image, image.resourceRva, at, available)) return Fail(error, "resource directory outside the file");
    ResourceWalk walk{image.bytes + at, std::min<size_t>(available, image.resourceSize), {}, &resources, error};
    PeResource path;
    if (WalkDirectory(walk, 0, 0, path)) return true;
    resources.clear();
    return false;
}

bool ReadPeResourceData(const PeImage& image, const PeResource& resource, std::vector<uint8_t>& data,
                        std::string* error) {
    size_t at = 0;
    if (!MapRange(image, resource.dataRva, resource.size, at)) return Fail(error, "resource data outside the file");
    data.assign(image.bytes + at, image.bytes + at + resource.size);
    return true;
}

bool FindPeResource(const PeImage& image, const ResourceKey& type, const ResourceKey& name,
                    std::vector<uint8_t>& data, std::string* error) {
    std::vector<PeResource> resources;
    if (!ListPeResources(image, resources, error)) return false;
    for (const PeResource& resource : resources) {
        if (resource.type.Matches(type) && resource.name.Matches(name))
            return ReadPeResourceData(image, resource, data, error);
    }
    return Fail(error, "no such resource");
}

// ---------------------------------------------------------------- PiPL

bool ParsePipl(const uint8_t* bytes, size_t size, Pipl& pipl, std::string* error) {
    pipl = Pipl{};
    Cursor in(bytes, size);
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

uint32_t EntryPointKeyFor(PeMachine machine) {
    switch (machine) {
        case PeMachine::X86_64: return FourCC("8664");
        case PeMachine::I386: return FourCC("wx86");
        case PeMachine::Unknown: break;
    }
    return 0;
}

// ---------------------------------------------------------------- AETE

bool ParseAete(const uint8_t* bytes, size_t size, Aete& aete, std::string* error) {
    aete = Aete{};
    Cursor in(bytes, size);
    if (in.I16() != 1) return Fail(error, "no AETE prelude");
    aete.majorVersion = in.U8();
    aete.minorVersion = in.U8();
    aete.language = in.I16();
    aete.script = in.I16();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteSuite suite;
        if (ReadAeteSuite(in, suite)) aete.suites.push_back(suite);
    }
    if (!in.ok) return Fail(error, "AETE truncated or with a negative count");
    aete.trailingBytes = in.Remaining();
    return true;
}

// ---------------------------------------------------------------- version

bool ParseVersionInfo(const uint8_t* bytes, size_t size, VersionInfo& info, std::string* error) {
    info = VersionInfo{};
    VersionBlock root;
    if (!bytes || !ReadVersionBlock(bytes, size, 0, root) || root.key != "VS_VERSION_INFO")
        return Fail(error, "not a version resource");
    if (root.valueLength >= 52 && root.end - root.valueStart >= 52) {
        const uint8_t* fixed = bytes + root.valueStart;
        if (Le32(fixed) != kFixedInfoSignature) return Fail(error, "bad fixed file information");
        const uint32_t words[4] = {Le32(fixed + 8), Le32(fixed + 12), Le32(fixed + 16), Le32(fixed + 20)};
        for (int i = 0; i < 2; ++i) {
            info.fileVersion[2 * i] = uint16_t(words[i] >> 16);
            info.fileVersion[2 * i + 1] = uint16_t(words[i]);
            info.productVersion[2 * i] = uint16_t(words[2 + i] >> 16);
            info.productVersion[2 * i + 1] = uint16_t(words[2 + i]);
        }
        info.fileFlags = Le32(fixed + 28);
        info.fileOs = Le32(fixed + 32);
        info.fileType = Le32(fixed + 36);
    }
    if (!ReadVersionChildren(bytes, root, VersionLevel::Root, 1, info)) return Fail(error, "malformed version blocks");
    return true;
}

std::string VersionString(const VersionInfo& info, const std::string& key) {
    for (const VersionStringTable& table : info.stringTables) {
        for (const auto& entry : table.strings) {
            if (entry.first == key) return entry.second;
        }
    }
    return std::string();
}
