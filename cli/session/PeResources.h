// Reads what a host needs from a filter module's file without loading it:
// the machine type, the exported names, the resources, and inside them the
// plug-in property list (PiPL), the scripting terminology (AETE) and the
// version information. Portable: plain bytes in, plain records out, no
// Windows API. The input is outside data, so every read is bounds-checked
// and a malformed file yields `false` with a reason, never a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Four-character codes as hosts compare them: FourCC from the interface's
// declaration, first character in the most significant byte
// ('8BIM' == 0x3842494D).
#include "host/PluginInterface.h"

// The reader's own spelling of a code, kept in a namespace so that a host
// may include this header beside its descriptor code's FourCCText.
namespace pe {
std::string FourCCText(uint32_t code);
}  // namespace pe

// ---------------------------------------------------------------- PE image

enum class PeMachine { Unknown, I386, X86_64 };

struct PeSection {
    std::string name;
    uint32_t virtualAddress = 0;
    uint32_t virtualSize = 0;
    uint32_t rawOffset = 0;
    uint32_t rawSize = 0;
};

// A PE32 or PE32+ file held by the caller; `bytes` must outlive the image.
struct PeImage {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    uint16_t machineCode = 0;
    PeMachine machine = PeMachine::Unknown;
    bool pe32Plus = false;
    bool isDll = false;
    std::vector<PeSection> sections;
    uint32_t exportRva = 0, exportSize = 0;
    uint32_t resourceRva = 0, resourceSize = 0;
};

bool OpenPeImage(const uint8_t* bytes, size_t size, PeImage& image, std::string* error = nullptr);

struct PeExports {
    std::string moduleName;
    std::vector<std::string> names;
};
// A file without an export table yields an empty list and true.
bool ReadPeExports(const PeImage& image, PeExports& exports, std::string* error = nullptr);

// ---------------------------------------------------------------- resources

// A resource type or name: a 16-bit ID or a string. Strings compare without
// regard to ASCII case, as Windows looks them up ("PiPL" finds "PIPL").
struct ResourceKey {
    bool isId = true;
    uint16_t id = 0;
    std::string name;  // UTF-8

    static ResourceKey Id(uint16_t id);
    static ResourceKey Name(const std::string& name);
    bool Matches(const ResourceKey& other) const;
};

struct PeResource {
    ResourceKey type;
    ResourceKey name;
    uint16_t language = 0;
    uint32_t dataRva = 0;
    uint32_t size = 0;
};

// Every resource, in directory order. Fails on a malformed directory
// (out of bounds, or a directory reached twice).
bool ListPeResources(const PeImage& image, std::vector<PeResource>& resources, std::string* error = nullptr);
bool ReadPeResourceData(const PeImage& image, const PeResource& resource, std::vector<uint8_t>& data,
                        std::string* error = nullptr);
// The first language of `type`/`name`.
bool FindPeResource(const PeImage& image, const ResourceKey& type, const ResourceKey& name,
                    std::vector<uint8_t>& data, std::string* error = nullptr);

// ---------------------------------------------------------------- PiPL

struct PiplProperty {
    uint32_t vendor = 0;
    uint32_t key = 0;
    int32_t id = 0;
    std::vector<uint8_t> data;  // the declared length, padding included when declared
};

struct Pipl {
    int32_t version = 0;
    std::vector<PiplProperty> properties;
};

// The Windows form: int16 prelude 1, version, count, properties.
bool ParsePipl(const uint8_t* bytes, size_t size, Pipl& pipl, std::string* error = nullptr);
const PiplProperty* FindPiplProperty(const Pipl& pipl, uint32_t key);
std::string PiplCString(const PiplProperty& property);       // up to the first NUL
std::string PiplPascalString(const PiplProperty& property);  // length byte, then text
// The PiPL key naming the entry point a process of `machine` calls:
// '8664' for x86-64, 'wx86' for i386, 0 for anything else.
uint32_t EntryPointKeyFor(PeMachine machine);

// ---------------------------------------------------------------- AETE

struct AeteParameter {
    std::string name;
    uint32_t key = 0;
    uint32_t type = 0;
    std::string description;
    uint16_t flags = 0;
};

struct AeteEvent {
    std::string name;
    std::string description;
    uint32_t eventClass = 0;
    uint32_t eventId = 0;
    uint32_t replyType = 0;
    std::string replyDescription;
    uint16_t replyFlags = 0;
    uint32_t directType = 0;
    std::string directDescription;
    uint16_t directFlags = 0;
    std::vector<AeteParameter> parameters;
};

struct AeteClassElement {
    uint32_t type = 0;
    std::vector<uint32_t> keyForms;
};

struct AeteClass {
    std::string name;
    uint32_t id = 0;
    std::string description;
    std::vector<AeteParameter> properties;  // name, key, type, description, flags
    std::vector<AeteClassElement> elements;
};

struct AeteComparison {
    std::string name;
    uint32_t id = 0;
    std::string description;
};

struct AeteEnumerator {
    std::string name;
    uint32_t id = 0;
    std::string description;
};

struct AeteEnumeration {
    uint32_t id = 0;
    std::vector<AeteEnumerator> enumerators;
};

struct AeteSuite {
    std::string name;
    std::string description;
    uint32_t id = 0;
    int16_t level = 0;
    int16_t version = 0;
    std::vector<AeteEvent> events;
    std::vector<AeteClass> classes;
    std::vector<AeteComparison> comparisons;
    std::vector<AeteEnumeration> enumerations;
};

struct Aete {
    uint8_t majorVersion = 0;
    uint8_t minorVersion = 0;
    int16_t language = 0;
    int16_t script = 0;
    std::vector<AeteSuite> suites;
    size_t trailingBytes = 0;  // after the last suite (a zero pad is usual)
};

// The Windows form: int16 prelude 1, little-endian, no alignment after
// strings. Strings are kept as their bytes (the system code page).
bool ParseAete(const uint8_t* bytes, size_t size, Aete& aete, std::string* error = nullptr);

// ---------------------------------------------------------------- version

struct VersionStringTable {
    std::string key;  // language and code page in hex, e.g. "040904E4"
    std::vector<std::pair<std::string, std::string>> strings;  // UTF-8
};

struct VersionTranslation {
    uint16_t language = 0;
    uint16_t codePage = 0;
};

struct VersionInfo {
    uint16_t fileVersion[4] = {};  // major, minor, build, revision
    uint16_t productVersion[4] = {};
    uint32_t fileFlags = 0;
    uint32_t fileOs = 0;
    uint32_t fileType = 0;
    std::vector<VersionStringTable> stringTables;
    std::vector<VersionTranslation> translations;
};

bool ParseVersionInfo(const uint8_t* bytes, size_t size, VersionInfo& info, std::string* error = nullptr);
// The value of `key` in the first string table that has it, or "".
std::string VersionString(const VersionInfo& info, const std::string& key);
