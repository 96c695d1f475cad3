#include "tests/resources/TestPeImage.h"

#include <algorithm>

namespace {

constexpr uint32_t kFileAlign = 0x200;
constexpr uint32_t kSectionAlign = 0x1000;

uint32_t AlignUp(uint32_t value, uint32_t to) { return (value + to - 1) / to * to; }

bool KeyLess(const ResourceKey& a, const ResourceKey& b) {
    if (a.isId != b.isId) return !a.isId;  // named entries come first
    return a.isId ? a.id < b.id : a.name < b.name;
}

struct NameNode {
    ResourceKey key;
    std::vector<size_t> languages;  // indexes into the contents' resources
};
struct TypeNode {
    ResourceKey key;
    std::vector<NameNode> names;
};

std::vector<TypeNode> BuildTree(const std::vector<TestResource>& resources) {
    std::vector<size_t> order(resources.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        const TestResource& a = resources[x];
        const TestResource& b = resources[y];
        if (KeyLess(a.type, b.type) || KeyLess(b.type, a.type)) return KeyLess(a.type, b.type);
        if (KeyLess(a.name, b.name) || KeyLess(b.name, a.name)) return KeyLess(a.name, b.name);
        return a.language < b.language;
    });
    std::vector<TypeNode> types;
    for (size_t index : order) {
        const TestResource& r = resources[index];
        if (types.empty() || !types.back().key.Matches(r.type)) types.push_back(TypeNode{r.type, {}});
        std::vector<NameNode>& names = types.back().names;
        if (names.empty() || !names.back().key.Matches(r.name)) names.push_back(NameNode{r.name, {}});
        names.back().languages.push_back(index);
    }
    return types;
}

void PutDirectoryHeader(std::vector<uint8_t>& out, size_t at, size_t named, size_t ids) {
    Put16(out, at + 12, uint16_t(named));
    Put16(out, at + 14, uint16_t(ids));
}

template <typename Node>
size_t NamedCount(const std::vector<Node>& nodes) {
    return size_t(std::count_if(nodes.begin(), nodes.end(), [](const Node& n) { return !n.key.isId; }));
}

// The .rsrc section content for resources placed at `rva`.
std::vector<uint8_t> BuildResourceSection(const std::vector<TestResource>& resources, uint32_t rva,
                                          size_t& dataEntriesAt) {
    const std::vector<TypeNode> types = BuildTree(resources);
    size_t directoryBytes = 16 + 8 * types.size();
    for (const TypeNode& t : types) {
        directoryBytes += 16 + 8 * t.names.size();
        for (const NameNode& n : t.names) directoryBytes += 16 + 8 * n.languages.size();
    }
    dataEntriesAt = directoryBytes;
    size_t stringsAt = directoryBytes + 16 * resources.size();
    size_t stringBytes = 0;
    for (const TypeNode& t : types) {
        if (!t.key.isId) stringBytes += 2 + 2 * t.key.name.size();
        for (const NameNode& n : t.names) {
            if (!n.key.isId) stringBytes += 2 + 2 * n.key.name.size();
        }
    }
    size_t dataAt = AlignUp(uint32_t(stringsAt + stringBytes), 4);
    size_t total = dataAt;
    for (const TestResource& r : resources) total = AlignUp(uint32_t(total + r.data.size()), 4);
    std::vector<uint8_t> out(total, 0);

    size_t nextDirectory = 16 + 8 * types.size();
    size_t nextEntry = dataEntriesAt;
    size_t nextString = stringsAt;
    auto keyField = [&](const ResourceKey& key) -> uint32_t {
        if (key.isId) return key.id;
        const uint32_t at = uint32_t(nextString);
        Put16(out, nextString, uint16_t(key.name.size()));
        for (size_t i = 0; i < key.name.size(); ++i) Put16(out, nextString + 2 + 2 * i, uint8_t(key.name[i]));
        nextString += 2 + 2 * key.name.size();
        return 0x80000000u | at;
    };

    PutDirectoryHeader(out, 0, NamedCount(types), types.size() - NamedCount(types));
    for (size_t ti = 0; ti < types.size(); ++ti) {
        const TypeNode& t = types[ti];
        const size_t typeDir = nextDirectory;
        nextDirectory += 16 + 8 * t.names.size();
        Put32(out, 16 + 8 * ti, keyField(t.key));
        Put32(out, 16 + 8 * ti + 4, 0x80000000u | uint32_t(typeDir));
        PutDirectoryHeader(out, typeDir, NamedCount(t.names), t.names.size() - NamedCount(t.names));
        for (size_t ni = 0; ni < t.names.size(); ++ni) {
            const NameNode& n = t.names[ni];
            const size_t nameDir = nextDirectory;
            nextDirectory += 16 + 8 * n.languages.size();
            Put32(out, typeDir + 16 + 8 * ni, keyField(n.key));
            Put32(out, typeDir + 16 + 8 * ni + 4, 0x80000000u | uint32_t(nameDir));
            PutDirectoryHeader(out, nameDir, 0, n.languages.size());
            for (size_t li = 0; li < n.languages.size(); ++li) {
                const TestResource& r = resources[n.languages[li]];
                Put32(out, nameDir + 16 + 8 * li, r.language);
                Put32(out, nameDir + 16 + 8 * li + 4, uint32_t(nextEntry));
                Put32(out, nextEntry, rva + uint32_t(dataAt));
                Put32(out, nextEntry + 4, uint32_t(r.data.size()));
                std::copy(r.data.begin(), r.data.end(), out.begin() + ptrdiff_t(dataAt));
                dataAt = AlignUp(uint32_t(dataAt + r.data.size()), 4);
                nextEntry += 16;
            }
        }
    }
    return out;
}

std::vector<uint8_t> BuildExportSection(const TestPeContents& contents, uint32_t rva) {
    const size_t n = contents.exports.size();
    const size_t functionsAt = 40, namesAt = functionsAt + 4 * n, ordinalsAt = namesAt + 4 * n;
    size_t stringsAt = ordinalsAt + 2 * n;
    size_t total = stringsAt + contents.moduleName.size() + 1;
    for (const std::string& name : contents.exports) total += name.size() + 1;
    std::vector<uint8_t> out(total, 0);
    auto putString = [&](const std::string& text) {
        const uint32_t at = rva + uint32_t(stringsAt);
        std::copy(text.begin(), text.end(), out.begin() + ptrdiff_t(stringsAt));
        stringsAt += text.size() + 1;
        return at;
    };
    Put32(out, 12, putString(contents.moduleName));
    Put32(out, 16, 1);  // ordinal base
    Put32(out, 20, uint32_t(n));
    Put32(out, 24, uint32_t(n));
    Put32(out, 28, rva + uint32_t(functionsAt));
    Put32(out, 32, rva + uint32_t(namesAt));
    Put32(out, 36, rva + uint32_t(ordinalsAt));
    for (size_t i = 0; i < n; ++i) {
        Put32(out, functionsAt + 4 * i, rva);  // any address inside the image
        Put32(out, namesAt + 4 * i, putString(contents.exports[i]));
        Put16(out, ordinalsAt + 2 * i, uint16_t(i));
    }
    return out;
}

}  // namespace

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes.at(at) = uint8_t(value);
    bytes.at(at + 1) = uint8_t(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, uint16_t(value));
    Put16(bytes, at + 2, uint16_t(value >> 16));
}

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes.at(at)) | uint32_t(bytes.at(at + 1)) << 8 | uint32_t(bytes.at(at + 2)) << 16 |
           uint32_t(bytes.at(at + 3)) << 24;
}

TestPe BuildTestPe(const TestPeContents& contents) {
    TestPe pe;
    const size_t optionalSize = contents.pe32Plus ? 240 : 224;
    pe.peHeaderAt = 0x40;
    pe.optionalHeaderAt = pe.peHeaderAt + 4 + 20;
    pe.sectionTableAt = pe.optionalHeaderAt + optionalSize;
    const uint32_t headersSize = AlignUp(uint32_t(pe.sectionTableAt + 2 * 40), kFileAlign);

    const uint32_t exportRva = kSectionAlign;
    const std::vector<uint8_t> exports = BuildExportSection(contents, exportRva);
    const uint32_t resourceRva = AlignUp(exportRva + uint32_t(exports.size()), kSectionAlign);
    size_t dataEntriesAt = 0;
    const std::vector<uint8_t> resources = BuildResourceSection(contents.resources, resourceRva, dataEntriesAt);
    const uint32_t exportRaw = headersSize;
    const uint32_t resourceRaw = exportRaw + AlignUp(uint32_t(exports.size()), kFileAlign);
    const uint32_t fileSize = resourceRaw + AlignUp(uint32_t(resources.size()), kFileAlign);

    std::vector<uint8_t>& out = pe.bytes;
    out.assign(fileSize, 0);
    out[0] = 'M';
    out[1] = 'Z';
    Put32(out, 0x3C, uint32_t(pe.peHeaderAt));
    out[pe.peHeaderAt] = 'P';
    out[pe.peHeaderAt + 1] = 'E';
    const size_t coff = pe.peHeaderAt + 4;
    Put16(out, coff, contents.machine);
    Put16(out, coff + 2, 2);
    Put16(out, coff + 16, uint16_t(optionalSize));
    Put16(out, coff + 18, 0x2000 | 0x0002);  // DLL, executable

    const size_t opt = pe.optionalHeaderAt;
    Put16(out, opt, contents.pe32Plus ? 0x20B : 0x10B);
    const size_t directories = opt + (contents.pe32Plus ? 112 : 96);
    Put32(out, directories - 4, 16);
    if (!contents.exports.empty() || !contents.moduleName.empty()) {
        Put32(out, directories, exportRva);
        Put32(out, directories + 4, uint32_t(exports.size()));
    }
    if (!contents.resources.empty()) {
        Put32(out, directories + 16, resourceRva);
        Put32(out, directories + 20, uint32_t(resources.size()));
    }

    auto putSection = [&](size_t index, const char* name, uint32_t rva, uint32_t rawAt, size_t length) {
        const size_t at = pe.sectionTableAt + 40 * index;
        std::copy(name, name + std::char_traits<char>::length(name), out.begin() + ptrdiff_t(at));
        Put32(out, at + 8, uint32_t(length));
        Put32(out, at + 12, rva);
        Put32(out, at + 16, AlignUp(uint32_t(length), kFileAlign));
        Put32(out, at + 20, rawAt);
    };
    putSection(0, ".edata", exportRva, exportRaw, exports.size());
    putSection(1, ".rsrc", resourceRva, resourceRaw, resources.size());
    std::copy(exports.begin(), exports.end(), out.begin() + exportRaw);
    std::copy(resources.begin(), resources.end(), out.begin() + resourceRaw);

    pe.exportDirectoryAt = exportRaw;
    pe.resourceRootAt = resourceRaw;
    pe.resourceRva = resourceRva;
    pe.dataEntriesAt = resourceRaw + dataEntriesAt;
    return pe;
}
