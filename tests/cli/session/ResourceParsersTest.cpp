// The PiPL, AETE and version parsers on raw resource bytes: the module's
// own resources, forms other writers produce, and damage.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/session/Aete.h"
#include "cli/session/HostDescriptor.h"
#include "cli/session/Pipl.h"
#include "cli/session/ResourceCursor.h"
#include "cli/session/VersionInfo.h"
#include "host/PluginInterface.h"
#include "tests/resources/ExpectedResources.h"

namespace {

// Each parser reads a copy of exactly the given bytes, so that the
// sanitizers see any read past them.
bool ParsesPipl(const std::string& text, Pipl* out = nullptr) {
    const std::vector<uint8_t> bytes = ToBytes(text);
    Pipl pipl;
    const bool ok = ParsePipl(bytes.data(), bytes.size(), pipl);
    if (out) *out = pipl;
    return ok;
}

bool ParsesAete(const std::string& text, Aete* out = nullptr) {
    const std::vector<uint8_t> bytes = ToBytes(text);
    Aete aete;
    const bool ok = ParseAete(bytes.data(), bytes.size(), aete);
    if (out) *out = aete;
    return ok;
}

bool ParsesVersion(const std::string& text, VersionInfo* out = nullptr) {
    const std::vector<uint8_t> bytes = ToBytes(text);
    VersionInfo info;
    const bool ok = ParseVersionInfo(bytes.data(), bytes.size(), info);
    if (out) *out = info;
    return ok;
}

// ---------------------------------------------------------------- PiPL

struct ModulePipl {
    const char* name;
    const char* entryKeyAsStored;  // little-endian bytes of the key
    uint16_t machine;
    uint32_t otherEntryKey;        // must be absent
};

class ModulePipls : public ::testing::TestWithParam<ModulePipl> {};

// What a host reads from the module's property list: each key in order,
// the texts, the terminology reference and the image modes.
TEST_P(ModulePipls, ReadAsAHostReadsThem) {
    Pipl pipl;
    ASSERT_TRUE(ParsesPipl(ExpectedPipl(GetParam().entryKeyAsStored), &pipl));
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
    // The terminology reference, packed: version, class, event, int16 ID, "".
    const std::vector<uint8_t>& hstm = FindPiplProperty(pipl, FourCC("hstm"))->data;
    EXPECT_EQ(Le32(hstm.data()), 0u);
    EXPECT_EQ(Le32(hstm.data() + 4), FourCC("sdK2"));
    EXPECT_EQ(Le32(hstm.data() + 8), FourCC("PVtr"));
    EXPECT_EQ(Le16(hstm.data() + 12), 16000);
    EXPECT_EQ(hstm[14], 0);
    // Mode bit m is byte m / 8, mask 0x80 >> (m % 8): Gray .. Lab, RGB48, CMYK64.
    const std::vector<uint8_t>& mode = FindPiplProperty(pipl, FourCC("mode"))->data;
    const std::vector<int> offered = {1, 3, 4, 5, 6, 7, 8, 9, 11, 13};
    for (int m = 0; m < 32; ++m) {
        const bool has = (mode[size_t(m / 8)] & (0x80 >> (m % 8))) != 0;
        EXPECT_EQ(has, std::count(offered.begin(), offered.end(), m) == 1) << "mode " << m;
    }
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
    ASSERT_TRUE(ParsesPipl(bytes, &pipl));
    ASSERT_EQ(pipl.properties.size(), 2u);
    EXPECT_EQ(pipl.properties[0].data.size(), 13u);
    EXPECT_EQ(pipl.properties[1].id, 7);
    EXPECT_EQ(PiplPascalString(pipl.properties[1]), "Corvessa");
    bytes.resize(bytes.size() - 3);
    EXPECT_TRUE(ParsesPipl(bytes));
}

TEST(Pipl, StringsAreBoundedByThePropertyData) {
    PiplProperty property;
    property.data = {200, 'a', 'b'};  // Pascal length past the data
    EXPECT_EQ(PiplPascalString(property), "ab");
    property.data = {'x', 'y'};  // no NUL
    EXPECT_EQ(PiplCString(property), "xy");
    property.data.clear();
    EXPECT_EQ(PiplPascalString(property), "");
}

// ---------------------------------------------------------------- AETE

TEST(Aete, ReadsTheModulesTerminology) {
    Aete aete;
    ASSERT_TRUE(ParsesAete(ExpectedAete(), &aete));
    EXPECT_EQ(aete.majorVersion, 1);
    EXPECT_EQ(aete.trailingBytes, 4u);
    ASSERT_EQ(aete.suites.size(), 1u);
    const AeteSuite& suite = aete.suites[0];
    EXPECT_EQ(suite.name + "/" + suite.description, "Corvessa/Sorvantic plug-ins");
    EXPECT_EQ(suite.id, FourCC("sdK2"));
    EXPECT_EQ(suite.level * 10 + suite.version, 11);
    ASSERT_EQ(suite.events.size(), 1u);
    const AeteEvent& event = suite.events[0];
    EXPECT_EQ(event.name + "/" + event.description, "LumericII/Engraving filter plug-in");
    EXPECT_EQ(FourCCText(event.eventClass) + FourCCText(event.eventId), "sdK2PVtr");
    EXPECT_EQ(FourCCText(event.replyType) + FourCCText(event.directType), "null#ImR");
    EXPECT_EQ(event.directFlags, 0xB000);
    EXPECT_TRUE(event.parameters.empty() && suite.classes.empty() && suite.comparisons.empty());
    ASSERT_EQ(suite.enumerations.size(), 1u);
    EXPECT_EQ(suite.enumerations[0].id, FourCC("mooD"));
    std::string enumerators;
    for (const AeteEnumerator& e : suite.enumerations[0].enumerators)
        enumerators += e.name + " " + FourCCText(e.id) + " " + e.description + "; ";
    EXPECT_EQ(enumerators, "clear moD0 clear headed; cool moD1 got the blues; hot moD2 red-faced; "
                           "sick moD3 green with envy; ");
    // The zero trailer is padding, not part of the terminology.
    ASSERT_TRUE(ParsesAete(ExpectedAete().substr(0, ExpectedAete().size() - 4), &aete));
    EXPECT_EQ(aete.trailingBytes, 0u);
}

TEST(Aete, ReadsParametersClassesAndComparisons) {
    std::string bytes = Raw("\x01\x00" "\x01\x00" "\0\0" "\0\0" "\x01\x00") +
                        Raw("\x01" "S" "\x00" "Stes" "\x01\x00" "\x01\x00") +
                        Raw("\x01\x00" "\x01" "E" "\x00" "Ftlr" "Tvne" "llun" "\x00" "\0\0" "RmI#" "\x00" "\0\xB0") +
                        Raw("\x01\x00" "\x05" "angle" "lgnA" "FtnU" "\x03" "deg" "\x00\x80") +
                        Raw("\x01\x00" "\x05" "image" "egmI" "\x02" "an") +
                        Raw("\x01\x00" "\x05" "width" "htdW" "gnol" "\x00" "\x00\x00") +
                        Raw("\x01\x00" " ryL" "\x02\x00" "xdni" "eman") +
                        Raw("\x01\x00" "\x06" "equals" "   =" "\x05" "equal") + Raw("\x00\x00");
    Aete aete;
    ASSERT_TRUE(ParsesAete(bytes, &aete));
    const AeteSuite& suite = aete.suites.at(0);
    ASSERT_EQ(suite.events.at(0).parameters.size(), 1u);
    const AeteParameter& angle = suite.events[0].parameters[0];
    EXPECT_EQ(angle.name + " " + FourCCText(angle.key) + " " + FourCCText(angle.type) + " " + angle.description,
              "angle Angl UntF deg");
    EXPECT_EQ(angle.flags, 0x8000);
    ASSERT_EQ(suite.classes.size(), 1u);
    EXPECT_EQ(suite.classes[0].id, FourCC("Imge"));
    EXPECT_EQ(suite.classes[0].properties.at(0).type, FourCC("long"));
    ASSERT_EQ(suite.classes[0].elements.size(), 1u);
    EXPECT_EQ(suite.classes[0].elements[0].type, FourCC("Lyr "));
    EXPECT_EQ(suite.classes[0].elements[0].keyForms, (std::vector<uint32_t>{FourCC("indx"), FourCC("name")}));
    ASSERT_EQ(suite.comparisons.size(), 1u);
    EXPECT_EQ(suite.comparisons[0].id, FourCC("=   "));
    EXPECT_EQ(suite.comparisons[0].description, "equal");
}

// ---------------------------------------------------------------- version

std::string Utf16z(const std::string& text) {
    std::string out;
    for (char c : text) out += c, out += '\0';
    return out + Raw("\0\0");
}

// One version block: length, value length, type, key, value, children.
std::string Block(const std::string& key, uint16_t type, const std::string& value, uint16_t valueLength,
                  const std::vector<std::string>& children) {
    std::string out = Raw("\0\0\0\0\0\0") + Utf16z(key);
    std::vector<std::string> parts = {value};
    parts.insert(parts.end(), children.begin(), children.end());
    for (const std::string& part : parts) {
        while (out.size() % 4) out += '\0';  // each starts on a 4-byte boundary
        out += part;
    }
    out[0] = char(out.size() & 0xFF);
    out[1] = char(out.size() >> 8);
    out[2] = char(valueLength & 0xFF);
    out[3] = char(valueLength >> 8);
    out[4] = char(type);
    return out;
}

std::string FixedInfo() {
    return Raw("\xBD\x04\xEF\xFE" "\x00\x00\x01\x00"  // signature, structure version
               "\x03\x00\x02\x00" "\x05\x00\x04\x00"  // file version 2.3.4.5
               "\x00\x00\x01\x00" "\x00\x00\x00\x00"  // product version 1.0.0.0
               "\x3F\0\0\0" "\0\0\0\0" "\x04\x00\x04\x00" "\x02\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0");
}

std::string SampleVersion() {
    std::string cafe = Utf16z("Caf");
    cafe.insert(cafe.size() - 2, Raw("\xE9\x00"));  // U+00E9 in UTF-16
    const std::string company = Block("CompanyName", 1, Utf16z("Corvessa"), 9, {});
    const std::string product = Block("ProductName", 1, Utf16z("LumericII"), 9, {});  // length without the NUL
    const std::string comment = Block("Comments", 1, cafe, 5, {});
    const std::string table = Block("040904E4", 1, "", 0, {company, product, comment});
    const std::string strings = Block("StringFileInfo", 1, "", 0, {table});
    const std::string translation = Block("Translation", 0, Raw("\x09\x04\xE4\x04" "\x07\x04\xB0\x04"), 8, {});
    const std::string vars = Block("VarFileInfo", 1, "", 0, {translation});
    return Block("VS_VERSION_INFO", 0, FixedInfo(), 52, {strings, vars});
}

TEST(VersionInfo, ReadsFixedInfoStringsAndTranslations) {
    VersionInfo info;
    ASSERT_TRUE(ParsesVersion(SampleVersion(), &info));
    EXPECT_EQ((std::vector<uint16_t>(info.fileVersion, info.fileVersion + 4)), (std::vector<uint16_t>{2, 3, 4, 5}));
    EXPECT_EQ(info.productVersion[0], 1);
    EXPECT_EQ(info.fileType, 2u);
    ASSERT_EQ(info.stringTables.size(), 1u);
    EXPECT_EQ(info.stringTables[0].key, "040904E4");
    EXPECT_EQ(VersionString(info, "CompanyName"), "Corvessa");
    EXPECT_EQ(VersionString(info, "ProductName"), "LumericII");
    EXPECT_EQ(VersionString(info, "Comments"), "Caf\xC3\xA9") << "UTF-16 read as UTF-8";
    EXPECT_EQ(VersionString(info, "Missing"), "");
    ASSERT_EQ(info.translations.size(), 2u);
    EXPECT_EQ(info.translations[0].language, 0x0409);
    EXPECT_EQ(info.translations[0].codePage, 1252);
    EXPECT_EQ(info.translations[1].codePage, 1200);
}

// ---------------------------------------------------------------- damage

enum class Reader { Pipl, Aete, Version };

bool Parses(Reader reader, const std::string& bytes) {
    switch (reader) {
        case Reader::Pipl: return ParsesPipl(bytes);
        case Reader::Aete: return ParsesAete(bytes);
        case Reader::Version: return ParsesVersion(bytes);
    }
    return false;
}

// `bytes` with `patch` written over them at the first `marker` plus `offset`.
std::string Patched(std::string bytes, const std::string& marker, int offset, const std::string& patch) {
    return bytes.replace(bytes.find(marker) + size_t(offset), patch.size(), patch);
}

struct Damage {
    const char* name;
    Reader reader;
    std::string bytes;
};

class Damaged : public ::testing::TestWithParam<Damage> {};

TEST_P(Damaged, IsRejected) { EXPECT_FALSE(Parses(GetParam().reader, GetParam().bytes)); }

const std::string kPiplHead = Raw("\x01\x00" "\0\0\0\0");

INSTANTIATE_TEST_SUITE_P(
    Cases, Damaged,
    ::testing::Values(
        Damage{"PiplEmpty", Reader::Pipl, ""},
        Damage{"PiplWithoutPrelude", Reader::Pipl, Raw("\0\0\0\0\0\0" "\0\0\0\0")},
        Damage{"PiplNegativeCount", Reader::Pipl, kPiplHead + Raw("\xFF\xFF\xFF\xFF")},
        Damage{"PiplCountBeyondTheData", Reader::Pipl, kPiplHead + Raw("\x00\x00\x00\x10")},
        Damage{"PiplNegativeLength", Reader::Pipl,
               kPiplHead + Raw("\x01\0\0\0" "MIB8dnik" "\0\0\0\0" "\xFC\xFF\xFF\xFF")},
        Damage{"PiplLengthBeyondTheData", Reader::Pipl,
               kPiplHead + Raw("\x01\0\0\0" "MIB8dnik" "\0\0\0\0" "\x00\x00\x00\x7F" "MFB8")},
        Damage{"AeteWithoutPrelude", Reader::Aete, Patched(ExpectedAete(), "", 0, Raw("\0\0"))},
        Damage{"AeteNegativeSuiteCount", Reader::Aete, Patched(ExpectedAete(), "", 8, "\xFF\xFF")},
        Damage{"AeteNegativeEnumeratorCount", Reader::Aete, Patched(ExpectedAete(), "Doom", 4, "\xFF\xFF")},
        Damage{"VersionBadSignature", Reader::Version, Patched(SampleVersion(), Raw("\xBD\x04\xEF\xFE"), 0, "X")},
        Damage{"VersionChildTooShort", Reader::Version,
               Patched(SampleVersion(), Utf16z("StringFileInfo"), -6, Raw("\x02\x00"))},
        Damage{"VersionChildTooLong", Reader::Version, Patched(SampleVersion(), Utf16z("StringFileInfo"), -5, "\x7F")},
        Damage{"VersionOtherRoot", Reader::Version, Block("NOT_VERSION", 0, FixedInfo(), 52, {})}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

struct Whole {
    const char* name;
    Reader reader;
    std::string bytes;
    size_t optionalTail;  // bytes at the end that may be missing
};

class Truncated : public ::testing::TestWithParam<Whole> {};

TEST_P(Truncated, EveryPrefixIsRejected) {
    const Whole& whole = GetParam();
    for (size_t length = 0; length < whole.bytes.size() - whole.optionalTail; ++length)
        EXPECT_FALSE(Parses(whole.reader, whole.bytes.substr(0, length))) << "cut at " << length;
}

INSTANTIATE_TEST_SUITE_P(Resources, Truncated,
                         ::testing::Values(Whole{"Pipl", Reader::Pipl, ExpectedPipl("68xw"), 0},
                                           Whole{"Aete", Reader::Aete, ExpectedAete(), 4},
                                           Whole{"Version", Reader::Version, SampleVersion(), 0}),
                         [](const ::testing::TestParamInfo<Whole>& info) { return std::string(info.param.name); });

}  // namespace
