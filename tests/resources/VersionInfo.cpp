#include "tests/resources/VersionInfo.h"

#include <algorithm>

#include "cli/session/ResourceCursor.h"

namespace {

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

bool Fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

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
