// The PiPL reader that lumeric.exe finds a module's entry point with, on
// raw resource bytes: the module's own PiPL, forms other writers produce,
// and damage.
#include <gtest/gtest.h>

#include "cli/session/HostDescriptor.h"
#include "cli/session/Pipl.h"
#include "host/PluginInterface.h"
#include "tests/resources/ExpectedResources.h"

namespace {

// The reader gets a copy of exactly the given bytes, so that the sanitizers
// see any read past them.
bool Read(const std::string& text, Pipl* out) {
    const std::vector<uint8_t> bytes = ToBytes(text);
    return ParsePipl(bytes.data(), bytes.size(), *out);
}
bool Parses(const std::string& text) {
    Pipl pipl;
    return Read(text, &pipl);
}

struct ModulePipl {
    const char* name;
    const char* entryKeyAsStored;  // little-endian bytes of the key
    uint16_t machine;
    uint32_t otherEntryKey;        // must be absent
};

class ModulePipls : public ::testing::TestWithParam<ModulePipl> {};

// What a host reads from the module's property list: each key in order,
// its length and the texts.
TEST_P(ModulePipls, ReadAsAHostReadsThem) {
    Pipl pipl;
    ASSERT_TRUE(Read(ExpectedPipl(GetParam().entryKeyAsStored), &pipl));
    EXPECT_EQ(pipl.version, 0);
    const uint32_t entryKey = EntryPointKeyFor(GetParam().machine);
    const uint32_t keys[] = {FourCC("kind"), FourCC("name"), FourCC("catg"), FourCC("vers"), entryKey,
                             FourCC("mode"), FourCC("hstm"), FourCC("enbl"), FourCC("fici")};
    const size_t lengths[] = {4, 16, 12, 4, 12, 4, 16, 160, 28};
    ASSERT_EQ(pipl.properties.size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(pipl.properties[i].vendor, FourCC("8BIM")) << i;
        EXPECT_EQ(pipl.properties[i].key, keys[i]) << FourCCText(pipl.properties[i].key);
        EXPECT_EQ(pipl.properties[i].id, 0) << i;
        EXPECT_EQ(pipl.properties[i].data.size(), lengths[i]) << i;
    }
    EXPECT_EQ(FindPiplProperty(pipl, GetParam().otherEntryKey), nullptr);
    EXPECT_EQ(PiplCString(*FindPiplProperty(pipl, entryKey)), "PluginMain");
    EXPECT_EQ(FindPiplProperty(pipl, FourCC("kind"))->data, ToBytes("MFB8"));
    EXPECT_EQ(PiplPascalString(*FindPiplProperty(pipl, FourCC("name"))), "LumericII...");
    EXPECT_EQ(PiplPascalString(*FindPiplProperty(pipl, FourCC("catg"))), "Corvessa");
    EXPECT_EQ(PiplCString(*FindPiplProperty(pipl, FourCC("enbl"))), ExpectedEnableExpression());
}

INSTANTIATE_TEST_SUITE_P(Builds, ModulePipls,
                         ::testing::Values(ModulePipl{"Win64", "4668", kMachineX86_64, FourCC("wx86")},
                                           ModulePipl{"Win32", "68xw", kMachineI386, FourCC("8664")}),
                         [](const ::testing::TestParamInfo<ModulePipl>& info) { return info.param.name; });

TEST(Pipl, SkipsPaddingNotCountedInTheLengthAndToleratesAMissingLastPad) {
    // Some writers give the unpadded length: 13 for a 12-letter name.
    std::string bytes = Raw("\x01\x00" "\0\0\0\0" "\x02\0\0\0") +
                        Raw("MIB8" "eman" "\0\0\0\0" "\x0D\0\0\0" "\x0C" "LumericII..." "\0\0\0") +
                        Raw("MIB8" "gtac" "\x07\0\0\0" "\x09\0\0\0" "\x08" "Corvessa" "\0\0\0");
    Pipl pipl;
    ASSERT_TRUE(Read(bytes, &pipl));
    ASSERT_EQ(pipl.properties.size(), 2u);
    EXPECT_EQ(pipl.properties[0].data.size(), 13u);
    EXPECT_EQ(pipl.properties[1].id, 7);
    EXPECT_EQ(PiplPascalString(pipl.properties[1]), "Corvessa");
    bytes.resize(bytes.size() - 3);
    EXPECT_TRUE(Parses(bytes));
}

// Every prefix is rejected, and so are a missing prelude and negative
// counts or lengths.
TEST(Pipl, TruncatedOrDamagedIsRejected) {
    const std::string whole = ExpectedPipl("68xw");
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(Parses(whole.substr(0, length))) << "cut at " << length;
    const std::string head = Raw("\x01\x00" "\0\0\0\0");
    for (const std::string& damaged : {Raw("\0\0\0\0\0\0" "\0\0\0\0"), head + Raw("\xFF\xFF\xFF\xFF"),
                                       head + Raw("\x01\0\0\0" "MIB8dnik" "\0\0\0\0" "\xFC\xFF\xFF\xFF")})
        EXPECT_FALSE(Parses(damaged)) << damaged.size();
}

}  // namespace
