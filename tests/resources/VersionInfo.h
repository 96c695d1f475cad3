// The version resource of a Windows file (VS_VERSION_INFO): the fixed file
// information, the string tables and the translations, read from the
// resource's bytes so that the tests can check what the built modules say
// about themselves. A malformed block yields `false` with a reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
