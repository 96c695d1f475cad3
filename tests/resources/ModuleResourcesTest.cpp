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

#include "tests/resources/VersionInfo.h"
#include "tests/resources/ExpectedResources.h"

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

std::string Quote(const std::string& text) { return "'" + text + "'"; }

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
                                           " --name=" + name + " " + Quote(GetParam().path));
        EXPECT_FALSE(bytes.empty()) << "no resource " << type << " " << name;
        return ToBytes(bytes);
    }
};

TEST_P(Module, IsADllForItsMachineExportingPluginMainUndecorated) {
    const std::string dump = OutputOf(std::string(GetParam().objdump) + " -p " + Quote(GetParam().path));
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
    VersionInfo info;
    std::string error;
    ASSERT_TRUE(ParseVersionInfo(bytes.data(), bytes.size(), info, &error)) << error;
    const uint16_t two[4] = {2, 0, 0, 0};
    EXPECT_TRUE(std::equal(two, two + 4, info.fileVersion));
    EXPECT_TRUE(std::equal(two, two + 4, info.productVersion));
    EXPECT_EQ(info.fileType, 2u);  // a DLL
    const std::pair<const char*, const char*> strings[] = {
        {"ProductName", "LumericII"},   {"ProductVersion", LUMERIC_VERSION},      {"FileVersion", LUMERIC_VERSION},
        {"CompanyName", "Corvessa"},    {"InternalName", "lumeric2"},      {"OriginalFilename", "lumeric2.8bf"}};
    for (const auto& [key, value] : strings) EXPECT_EQ(VersionString(info, key), value) << key;
    EXPECT_FALSE(VersionString(info, "FileDescription").empty());
}

INSTANTIATE_TEST_SUITE_P(Builds, Module, ::testing::ValuesIn(kModules),
                         [](const ::testing::TestParamInfo<ModuleCase>& info) { return info.param.name; });

}  // namespace
