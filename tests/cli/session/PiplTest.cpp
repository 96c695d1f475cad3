// The PiPL reader that lumeric.exe finds a module's entry point with, on
// raw resource bytes: the module's own PiPL, forms other writers produce,
// and damage.
#include <gtest/gtest.h>

#include <tuple>

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

// What a host reads from the module's property list: every key in order,
// the entry point of its own machine only, the name and category texts.
TEST(Pipl, TheModulesReadAsAHostReadsThem) {
    for (const auto& [stored, machine, other] : {std::make_tuple("4668", kMachineX86_64, FourCC("wx86")),
                                                  std::make_tuple("68xw", kMachineI386, FourCC("8664"))}) {
        Pipl pipl;
        ASSERT_TRUE(Read(ExpectedPipl(stored), &pipl));
        const uint32_t entryKey = EntryPointKeyFor(machine);
        std::string keys;
        for (const PiplProperty& property : pipl.properties) keys += FourCCText(property.key) + " ";
        EXPECT_EQ(keys, "kind name catg vers " + FourCCText(entryKey) + " mode hstm enbl fici ");
        EXPECT_EQ(FindPiplProperty(pipl, other), nullptr);
        EXPECT_EQ(PiplCString(*FindPiplProperty(pipl, entryKey)), "PluginMain");
        EXPECT_EQ(PiplPascalString(*FindPiplProperty(pipl, FourCC("name"))), "LumericII...");
        EXPECT_EQ(PiplPascalString(*FindPiplProperty(pipl, FourCC("catg"))), "Corvessa");
        EXPECT_EQ(PiplCString(*FindPiplProperty(pipl, FourCC("enbl"))), ExpectedEnableExpression());
    }
}

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
