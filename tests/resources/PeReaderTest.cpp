// The PE reader on files built in memory: well-formed PE32 and PE32+ files,
// then the same files damaged in the ways that break naive readers.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "cli/session/PeResources.h"
#include "tests/resources/TestPeImage.h"

namespace {

const ResourceKey kPiplType = ResourceKey::Name("PIPL");
const ResourceKey kAeteType = ResourceKey::Name("AETE");

TestPeContents SampleSpec(bool pe32Plus) {
    TestPeContents contents;
    contents.pe32Plus = pe32Plus;
    contents.machine = pe32Plus ? 0x8664 : 0x014C;
    contents.moduleName = "sample.8bf";
    contents.exports = {"DissolveProcGrad", "PluginMain"};
    contents.resources = {
        {kPiplType, ResourceKey::Id(16000), 0, {1, 2, 3, 4, 5}},
        {kAeteType, ResourceKey::Id(16000), 0, {9, 8, 7}},
        {ResourceKey::Id(5), ResourceKey::Id(16103), 0x0409, {0xAA, 0xBB}},
        {ResourceKey::Id(5), ResourceKey::Name("MAINDIALOG"), 0x0409, {0x11}},
        {ResourceKey::Id(5), ResourceKey::Name("MAINDIALOG"), 0x0407, {0x22}},
    };
    return contents;
}

struct Reading {
    bool opened = false;
    bool exportsRead = false;
    bool listed = false;
    std::vector<PeResource> resources;
    PeExports exports;
};

// Runs every reader on `bytes` and also reads the data of every resource;
// none of it may crash whatever the input.
Reading ReadAll(const std::vector<uint8_t>& bytes) {
    Reading r;
    PeImage image;
    r.opened = OpenPeImage(bytes.data(), bytes.size(), image);
    if (!r.opened) return r;
    r.exportsRead = ReadPeExports(image, r.exports);
    r.listed = ListPeResources(image, r.resources);
    std::vector<uint8_t> data;
    for (const PeResource& resource : r.resources) ReadPeResourceData(image, resource, data);
    return r;
}

class WellFormed : public ::testing::TestWithParam<bool> {};

TEST_P(WellFormed, ReportsMachineFormatAndExports) {
    const TestPe pe = BuildTestPe(SampleSpec(GetParam()));
    PeImage image;
    std::string error;
    ASSERT_TRUE(OpenPeImage(pe.bytes.data(), pe.bytes.size(), image, &error)) << error;
    EXPECT_EQ(image.pe32Plus, GetParam());
    EXPECT_EQ(image.machine, GetParam() ? PeMachine::X86_64 : PeMachine::I386);
    EXPECT_TRUE(image.isDll);
    ASSERT_EQ(image.sections.size(), 2u);
    EXPECT_EQ(image.sections[1].name, ".rsrc");

    PeExports exports;
    ASSERT_TRUE(ReadPeExports(image, exports, &error)) << error;
    EXPECT_EQ(exports.moduleName, "sample.8bf");
    EXPECT_EQ(exports.names, (std::vector<std::string>{"DissolveProcGrad", "PluginMain"}));
}

TEST_P(WellFormed, ListsEveryResourceWithTypeNameAndLanguage) {
    const TestPe pe = BuildTestPe(SampleSpec(GetParam()));
    PeImage image;
    ASSERT_TRUE(OpenPeImage(pe.bytes.data(), pe.bytes.size(), image));
    std::vector<PeResource> resources;
    std::string error;
    ASSERT_TRUE(ListPeResources(image, resources, &error)) << error;
    ASSERT_EQ(resources.size(), 5u);
    // Directory order: named types first, then IDs; within a name, languages ascending.
    EXPECT_EQ(resources[0].type.name, "AETE");
    EXPECT_EQ(resources[1].type.name, "PIPL");
    EXPECT_TRUE(resources[2].type.isId);
    EXPECT_EQ(resources[2].name.name, "MAINDIALOG");
    EXPECT_EQ(resources[2].language, 0x0407);
    EXPECT_EQ(resources[3].language, 0x0409);
    EXPECT_EQ(resources[4].name.id, 16103);
    EXPECT_EQ(resources[4].size, 2u);
}

TEST_P(WellFormed, FindsResourcesByStringWithoutRegardToCaseAndById) {
    const TestPe pe = BuildTestPe(SampleSpec(GetParam()));
    PeImage image;
    ASSERT_TRUE(OpenPeImage(pe.bytes.data(), pe.bytes.size(), image));
    std::vector<uint8_t> data;
    std::string error;
    ASSERT_TRUE(FindPeResource(image, ResourceKey::Name("PiPL"), ResourceKey::Id(16000), data, &error)) << error;
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    ASSERT_TRUE(FindPeResource(image, ResourceKey::Name("aete"), ResourceKey::Id(16000), data));
    EXPECT_EQ(data, (std::vector<uint8_t>{9, 8, 7}));
    ASSERT_TRUE(FindPeResource(image, ResourceKey::Id(5), ResourceKey::Name("MainDialog"), data));
    EXPECT_EQ(data, (std::vector<uint8_t>{0x22}));  // first language in the directory
    EXPECT_FALSE(FindPeResource(image, ResourceKey::Name("PiPL"), ResourceKey::Id(16001), data));
    EXPECT_FALSE(FindPeResource(image, ResourceKey::Name("PiP"), ResourceKey::Id(16000), data));
    // A string name never matches an ID, even one whose digits it spells.
    EXPECT_FALSE(FindPeResource(image, ResourceKey::Id(5), ResourceKey::Name("16103"), data));
}

INSTANTIATE_TEST_SUITE_P(Formats, WellFormed, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "PE32Plus" : "PE32"; });

TEST(PeReader, EveryTruncationIsRejectedOrReadWithinBounds) {
    const TestPe pe = BuildTestPe(SampleSpec(true));
    for (size_t length = 0; length < pe.bytes.size(); ++length) {
        const std::vector<uint8_t> cut(pe.bytes.begin(), pe.bytes.begin() + ptrdiff_t(length));
        const Reading r = ReadAll(cut);
        if (length < pe.sectionTableAt + 2 * 40) {
            EXPECT_FALSE(r.opened) << length;
        }
        if (length <= pe.resourceRootAt + 16) {
            EXPECT_TRUE(r.resources.empty()) << length;
        }
    }
}

TEST(PeReader, ResourceKeysCompareIdsAndFoldOnlyAsciiCase) {
    EXPECT_TRUE(ResourceKey::Name("PiPL").Matches(ResourceKey::Name("PIPL")));
    EXPECT_FALSE(ResourceKey::Name("PiPL").Matches(ResourceKey::Name("PiPL ")));
    EXPECT_FALSE(ResourceKey::Id(16000).Matches(ResourceKey::Id(16001)));
    EXPECT_FALSE(ResourceKey::Id(0).Matches(ResourceKey::Name("")));
}

// ---------------------------------------------------------------- damage

struct Damage {
    const char* what;
    std::function<void(TestPe&)> apply;
    bool opens;
    bool lists;    // ListPeResources succeeds
    bool exports;  // ReadPeExports succeeds
};

size_t CoffAt(const TestPe& pe) { return pe.peHeaderAt + 4; }
size_t DirectoriesAt(const TestPe& pe) { return pe.optionalHeaderAt + 112; }  // PE32+
// The first entry of the root directory, and the type directory it leads to.
size_t RootEntryAt(const TestPe& pe) { return pe.resourceRootAt + 16; }
size_t FirstTypeDirectoryOffset(const TestPe& pe) { return Get32(pe.bytes, RootEntryAt(pe) + 4) & 0x7FFFFFFF; }

const Damage kDamages[] = {
    {"no MZ", [](TestPe& pe) { pe.bytes[0] = 'X'; }, false, false, false},
    {"PE offset past the end", [](TestPe& pe) { Put32(pe.bytes, 0x3C, uint32_t(pe.bytes.size())); }, false, false, false},
    {"PE offset at 4 GiB", [](TestPe& pe) { Put32(pe.bytes, 0x3C, 0xFFFFFFF0u); }, false, false, false},
    {"no PE signature", [](TestPe& pe) { pe.bytes[pe.peHeaderAt] = 'Q'; }, false, false, false},
    {"unknown optional header", [](TestPe& pe) { Put16(pe.bytes, pe.optionalHeaderAt, 0x107); }, false, false, false},
    {"optional header declared too short",
     [](TestPe& pe) { Put16(pe.bytes, CoffAt(pe) + 16, 8); }, false, false, false},
    {"65535 sections", [](TestPe& pe) { Put16(pe.bytes, CoffAt(pe) + 2, 0xFFFF); }, false, false, false},
    {"section table past the end",
     [](TestPe& pe) { Put16(pe.bytes, CoffAt(pe) + 16, uint16_t(pe.bytes.size())); }, false, false, false},
    {"unknown machine still opens", [](TestPe& pe) { Put16(pe.bytes, CoffAt(pe), 0xAA64); }, true, true, true},
    {"no data directories",
     [](TestPe& pe) { Put32(pe.bytes, DirectoriesAt(pe) - 4, 0); }, true, true, true},
    {"resource directory in no section",
     [](TestPe& pe) { Put32(pe.bytes, DirectoriesAt(pe) + 16, 0x7FFF0000); }, true, false, true},
    {"resource section raw data past the end",
     [](TestPe& pe) { Put32(pe.bytes, pe.sectionTableAt + 40 + 20, 0xFFFFFF00u); }, true, false, true},
    {"root entry counts beyond the section",
     [](TestPe& pe) { Put16(pe.bytes, pe.resourceRootAt + 14, 0xFFFF); Put16(pe.bytes, pe.resourceRootAt + 12, 0xFFFF); },
     true, false, true},
    {"subdirectory pointing back to the root",
     [](TestPe& pe) { Put32(pe.bytes, RootEntryAt(pe) + 4, 0x80000000u); }, true, false, true},
    {"subdirectory pointing to itself",
     [](TestPe& pe) {
         const size_t typeDir = FirstTypeDirectoryOffset(pe);
         Put32(pe.bytes, pe.resourceRootAt + typeDir + 16 + 4, 0x80000000u | uint32_t(typeDir));
     },
     true, false, true},
    {"two types sharing one directory",
     [](TestPe& pe) { Put32(pe.bytes, RootEntryAt(pe) + 8 + 4, Get32(pe.bytes, RootEntryAt(pe) + 4)); }, true, false,
     true},
    {"subdirectory far outside", [](TestPe& pe) { Put32(pe.bytes, RootEntryAt(pe) + 4, 0xFFFFFFF0u); }, true, false,
     true},
    {"type level pointing at data", [](TestPe& pe) { Put32(pe.bytes, RootEntryAt(pe) + 4, 0x10); }, true, false, true},
    {"language level pointing at a directory",
     [](TestPe& pe) {
         const size_t typeDir = FirstTypeDirectoryOffset(pe);
         const size_t nameDir = Get32(pe.bytes, pe.resourceRootAt + typeDir + 16 + 4) & 0x7FFFFFFF;
         Put32(pe.bytes, pe.resourceRootAt + nameDir + 16 + 4, 0x80000000u);
     },
     true, false, true},
    {"type name string outside", [](TestPe& pe) { Put32(pe.bytes, RootEntryAt(pe), 0xFFFFFFF0u); }, true, false, true},
    {"type name string longer than the section",
     [](TestPe& pe) {
         const size_t at = pe.resourceRootAt + (Get32(pe.bytes, RootEntryAt(pe)) & 0x7FFFFFFF);
         Put16(pe.bytes, at, 0xFFFF);
     },
     true, false, true},
    {"data entry outside",
     [](TestPe& pe) {
         const size_t typeDir = FirstTypeDirectoryOffset(pe);
         const size_t nameDir = Get32(pe.bytes, pe.resourceRootAt + typeDir + 16 + 4) & 0x7FFFFFFF;
         Put32(pe.bytes, pe.resourceRootAt + nameDir + 16 + 4, 0x7FFFFFF0u);
     },
     true, false, true},
    {"export directory outside", [](TestPe& pe) { Put32(pe.bytes, DirectoriesAt(pe), 0x7FFFFFF0u); }, true, true,
     false},
    {"billions of export names",
     [](TestPe& pe) { Put32(pe.bytes, pe.exportDirectoryAt + 24, 0xFFFFFFFFu); }, true, true, false},
    {"export name table outside",
     [](TestPe& pe) { Put32(pe.bytes, pe.exportDirectoryAt + 32, 0x7FFFFFF0u); }, true, true, false},
    {"export name outside",
     [](TestPe& pe) {
         const uint32_t namesRva = Get32(pe.bytes, pe.exportDirectoryAt + 32);
         Put32(pe.bytes, pe.exportDirectoryAt + (namesRva - 0x1000), 0x7FFFFFF0u);
     },
     true, true, false},
    {"export name without its NUL at the section's end",
     [](TestPe& pe) {
         // Fill .edata's file data up to the next section with letters.
         const size_t end = pe.resourceRootAt;
         // Directory, two functions, two name pointers, two ordinals, then
         // "sample.8bf", "DissolveProcGrad" and "PluginMain".
         const size_t last = pe.exportDirectoryAt + 40 + 8 + 8 + 4 + 11 + 17;
         for (size_t i = last; i < end; ++i) pe.bytes[i] = 'A';
         Put32(pe.bytes, pe.sectionTableAt + 8, uint32_t(end - pe.exportDirectoryAt));
     },
     true, true, false},
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.what; }

class Damaged : public ::testing::TestWithParam<Damage> {};

TEST_P(Damaged, IsRejectedWhereItMattersAndNeverReadOutOfBounds) {
    TestPe pe = BuildTestPe(SampleSpec(true));
    GetParam().apply(pe);
    const Reading r = ReadAll(pe.bytes);
    EXPECT_EQ(r.opened, GetParam().opens);
    if (!r.opened) return;
    EXPECT_EQ(r.listed, GetParam().lists);
    EXPECT_EQ(r.exportsRead, GetParam().exports);
    if (!r.listed) {
        EXPECT_TRUE(r.resources.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Damaged, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(PeReader, ResourceDataOutsideTheFileIsListedButNotRead) {
    TestPe pe = BuildTestPe(SampleSpec(false));
    Put32(pe.bytes, pe.dataEntriesAt + 4, 0xFFFFFFF0u);       // first resource: 4 GiB long
    Put32(pe.bytes, pe.dataEntriesAt + 16, 0x00500000u);      // second: in no section
    PeImage image;
    ASSERT_TRUE(OpenPeImage(pe.bytes.data(), pe.bytes.size(), image));
    std::vector<PeResource> resources;
    ASSERT_TRUE(ListPeResources(image, resources));
    std::vector<uint8_t> data;
    std::string error;
    EXPECT_FALSE(ReadPeResourceData(image, resources[0], data, &error));
    EXPECT_EQ(error, "resource data outside the file");
    EXPECT_FALSE(ReadPeResourceData(image, resources[1], data));
    EXPECT_TRUE(ReadPeResourceData(image, resources[2], data));
}

TEST(PeReader, EmptyAndNullInputsAreRejected) {
    PeImage image;
    std::string error;
    EXPECT_FALSE(OpenPeImage(nullptr, 0, image, &error));
    EXPECT_EQ(error, "not an MZ executable");
    const uint8_t mz[2] = {'M', 'Z'};
    EXPECT_FALSE(OpenPeImage(mz, sizeof mz, image));
}

}  // namespace
