// The built modules as a host finds them before loading: a DLL for its
// machine exporting PluginMain, a PiPL and an AETE byte for byte what the
// filter declares, and a version resource naming the product. The files
// are read with Debian's tools (icoutils' wrestool for the resources, the
// mingw objdump for the rest), not with our own readers. A missing module
// skips, unless LUMERIC_REQUIRE_WIN_MODULES=1 (the full build) makes it a
// failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/resources/ExpectedResources.h"
#include "tests/support/TestFiles.h"

namespace {

struct ModuleCase {
    const char* name;
    const char* path;
    const char* objdump;
    const char* fileFormat;        // objdump's name for the file's kind
    const char* entryKeyAsStored;  // little-endian bytes of the PiPL entry-point key
};

const ModuleCase kModules[] = {
    {"Win64", LUMERIC_WIN64_MODULE, LUMERIC_WIN64_OBJDUMP, "pei-x86-64", "4668"},
    {"Win32", LUMERIC_WIN32_MODULE, LUMERIC_WIN32_OBJDUMP, "pei-i386", "68xw"},
};

void PrintTo(const ModuleCase& module, std::ostream* out) { *out << module.name; }

// What a command writes on its standard output, byte for byte.
std::string OutputOf(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// The value stored after `key` in a version resource's string table: both
// are NUL-terminated UTF-16LE, the value 4-aligned behind the key (ASCII
// only, which is all the module writes).
std::string VersionString(const std::vector<uint8_t>& bytes, const std::string& key) {
    std::string wide;
    for (char c : key + '\0') wide += {c, '\0'};
    const auto found = std::search(bytes.begin(), bytes.end(), wide.begin(), wide.end());
    if (found == bytes.end()) return "";
    size_t at = size_t(found - bytes.begin()) + wide.size();
    at = (at + 3) & ~size_t(3);
    std::string value;
    for (; at + 1 < bytes.size() && (bytes[at] || bytes[at + 1]); at += 2) value += char(bytes[at]);
    return value;
}

// The fixed file information: signature, structure version, then the
// file and product versions as pairs of 32-bit words, then flags, OS and
// file type.
std::vector<uint32_t> FixedFileInfo(const std::vector<uint8_t>& bytes) {
    const uint8_t signature[] = {0xBD, 0x04, 0xEF, 0xFE};
    const auto found = std::search(bytes.begin(), bytes.end(), signature, signature + 4);
    std::vector<uint32_t> words;
    for (auto p = found; p != bytes.end() && bytes.end() - p >= 4 && words.size() < 13; p += 4)
        words.push_back(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24);
    return words;
}

class Module : public ::testing::TestWithParam<ModuleCase> {
protected:
    void SetUp() override {
        if (!std::ifstream(GetParam().path)) {
            const char* required = std::getenv("LUMERIC_REQUIRE_WIN_MODULES");
            if (required && std::string(required) == "1") FAIL() << "module missing: " << GetParam().path;
            GTEST_SKIP() << "module not built: " << GetParam().path
                         << " (build the Windows modules first, or set LUMERIC_REQUIRE_WIN_MODULES=1 to fail)";
        }
        ASSERT_STRNE(LUMERIC_WRESTOOL, "") << "wrestool not found (Debian: icoutils)";
        ASSERT_STRNE(GetParam().objdump, "") << "no mingw objdump (Debian: binutils-mingw-w64)";
    }

    // wrestool takes a string type with a leading '+', spelled as stored:
    // resource compilers store "PiPL" as "PIPL".
    std::vector<uint8_t> Resource(const std::string& type, const std::string& name) {
        const std::string bytes = OutputOf(std::string(LUMERIC_WRESTOOL) + " --extract --raw --type=" + type +
                                           " --name=" + name + " " + ShellQuote(GetParam().path));
        EXPECT_FALSE(bytes.empty()) << "no resource " << type << " " << name;
        return ToBytes(bytes);
    }
};

TEST_P(Module, IsADllForItsMachineExportingPluginMainUndecorated) {
    const std::string dump = OutputOf(std::string(GetParam().objdump) + " -p " + ShellQuote(GetParam().path));
    EXPECT_NE(dump.find(std::string("file format ") + GetParam().fileFormat + "\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("\tDLL\n"), std::string::npos) << "no DLL characteristic";
    EXPECT_NE(dump.find(" lumeric2.8bf\n"), std::string::npos) << "export table's module name";
    // The export names: "\t[   0] PluginMain" lines below the name pointer table.
    const size_t table = dump.find("[Ordinal/Name Pointer] Table\n");
    ASSERT_NE(table, std::string::npos) << "no export table";
    std::istringstream lines(dump.substr(table));
    std::vector<std::string> names;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.find("] ") != std::string::npos)
        names.push_back(line.substr(line.find("] ") + 2));
    EXPECT_EQ(names, (std::vector<std::string>{"DissolveProcGrad", "PluginMain"}));
}

TEST_P(Module, PiplAndAeteAreExactlyTheDeclaredBytes) {
    EXPECT_EQ(Resource("+PIPL", "16000"), ToBytes(ExpectedPipl(GetParam().entryKeyAsStored)));
    EXPECT_EQ(Resource("+AETE", "16000"), ToBytes(ExpectedAete()));
}

TEST_P(Module, VersionResourceNamesTheProduct) {
    const std::vector<uint8_t> bytes = Resource("16", "1");
    const std::vector<uint32_t> fixed = FixedFileInfo(bytes);
    ASSERT_EQ(fixed.size(), 13u) << "no fixed file information";
    // 2.0.0.0 as file and product version; file type 2, a DLL.
    EXPECT_EQ(std::vector<uint32_t>(fixed.begin() + 2, fixed.begin() + 6), (std::vector<uint32_t>{0x20000, 0, 0x20000, 0}));
    EXPECT_EQ(fixed[9], 2u);
    const std::pair<const char*, const char*> strings[] = {
        {"ProductName", "LumericII"},   {"ProductVersion", LUMERIC_VERSION},      {"FileVersion", LUMERIC_VERSION},
        {"CompanyName", "Corvessa"},    {"InternalName", "lumeric2"},      {"OriginalFilename", "lumeric2.8bf"}};
    for (const auto& [key, value] : strings) EXPECT_EQ(VersionString(bytes, key), value) << key;
    EXPECT_FALSE(VersionString(bytes, "FileDescription").empty());
}

INSTANTIATE_TEST_SUITE_P(Builds, Module, ::testing::ValuesIn(kModules),
                         [](const ::testing::TestParamInfo<ModuleCase>& info) { return info.param.name; });

}  // namespace
