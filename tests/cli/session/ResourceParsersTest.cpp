// The PiPL, AETE and version parsers on raw resource bytes: the module's
// own resources, hand-made variants other writers produce, and damage.
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

std::vector<uint8_t> Prefix(const std::string& bytes, size_t length) {
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + ptrdiff_t(length));
}

bool ParsesPipl(const std::string& bytes, Pipl* out = nullptr) {
    Pipl pipl;
    const bool ok = ParsePipl(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), pipl);
    if (out) *out = pipl;
    return ok;
}

bool ParsesAete(const std::string& bytes, Aete* out = nullptr) {
    Aete aete;
    const bool ok = ParseAete(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), aete);
    if (out) *out = aete;
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

TEST(Pipl, OtherMachinesHaveNoEntryPointKey) { EXPECT_EQ(EntryPointKeyFor(0x01C0), 0u); }

TEST(Pipl, SkipsPaddingNotCountedInTheLengthAndToleratesAMissingLastPad) {
    // Some writers give the unpadded length: 13 for a 12-letter name.
    std::string bytes = Raw("\x01\x00" "\0\0\0\0" "\x02\0\0\0") +
                        Raw("MIB8" "eman" "\0\0\0\0" "\x0D\0\0\0" "\x0C" "LumericII..." "\0\0\0") +
                        Raw("MIB8" "gtac" "\x07\0\0\0" "\x09\0\0\0" "\x08" "Corvessa" "\0\0\0");
    Pipl pipl;
    ASSERT_TRUE(ParsesPipl(bytes, &pipl));
    ASSERT_EQ(pipl.properties.size(), 2u);
    EXPECT_EQ(pipl.properties[0].data.size(), 13u);
    EXPECT_EQ(pipl.properties[1].key, FourCC("catg"));
    EXPECT_EQ(pipl.properties[1].id, 7);
    EXPECT_EQ(PiplPascalString(pipl.properties[1]), "Corvessa");
    bytes.resize(bytes.size() - 3);
    EXPECT_TRUE(ParsesPipl(bytes));
}

TEST(Pipl, EveryTruncationIsRejected) {
    const std::string whole = ExpectedPipl("68xw");
    for (size_t length = 0; length < whole.size(); ++length) {
        Pipl pipl;
        const std::vector<uint8_t> cut = Prefix(whole, length);
        EXPECT_FALSE(ParsePipl(cut.data(), cut.size(), pipl)) << length;
    }
}

struct PiplDamage {
    const char* what;
    std::string bytes;
};

class DamagedPipl : public ::testing::TestWithParam<PiplDamage> {};

TEST_P(DamagedPipl, IsRejected) {
    std::string error;
    Pipl pipl;
    const std::string& bytes = GetParam().bytes;
    EXPECT_FALSE(ParsePipl(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), pipl, &error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedPipl,
    ::testing::Values(PiplDamage{"no prelude", Raw("\0\0\0\0\0\0" "\0\0\0\0")},
                      PiplDamage{"negative count", Raw("\x01\x00" "\0\0\0\0" "\xFF\xFF\xFF\xFF")},
                      PiplDamage{"count beyond the data", Raw("\x01\x00" "\0\0\0\0" "\x00\x00\x00\x10")},
                      PiplDamage{"negative length",
                                 Raw("\x01\x00" "\0\0\0\0" "\x01\0\0\0" "MIB8dnik" "\0\0\0\0" "\xFC\xFF\xFF\xFF")},
                      PiplDamage{"length beyond the data",
                                 Raw("\x01\x00" "\0\0\0\0" "\x01\0\0\0" "MIB8dnik" "\0\0\0\0" "\x00\x00\x00\x7F"
                                     "MFB8")},
                      PiplDamage{"empty", std::string()}));

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
    EXPECT_EQ(aete.minorVersion, 0);
    EXPECT_EQ(aete.language, 0);
    EXPECT_EQ(aete.script, 0);
    EXPECT_EQ(aete.trailingBytes, 4u);
    ASSERT_EQ(aete.suites.size(), 1u);
    const AeteSuite& suite = aete.suites[0];
    EXPECT_EQ(suite.name, "Corvessa");
    EXPECT_EQ(suite.description, "Sorvantic plug-ins");
    EXPECT_EQ(suite.id, FourCC("sdK2"));
    EXPECT_EQ(suite.level, 1);
    EXPECT_EQ(suite.version, 1);
    ASSERT_EQ(suite.events.size(), 1u);
    const AeteEvent& event = suite.events[0];
    EXPECT_EQ(event.name, "LumericII");
    EXPECT_EQ(event.description, "Engraving filter plug-in");
    EXPECT_EQ(event.eventClass, FourCC("sdK2"));
    EXPECT_EQ(event.eventId, FourCC("PVtr"));
    EXPECT_EQ(event.replyType, FourCC("null"));
    EXPECT_EQ(event.replyDescription, "");
    EXPECT_EQ(event.replyFlags, 0);
    EXPECT_EQ(event.directType, FourCC("#ImR"));
    EXPECT_EQ(event.directDescription, "");
    EXPECT_EQ(event.directFlags, 0xB000);
    EXPECT_TRUE(event.parameters.empty());
    EXPECT_TRUE(suite.classes.empty());
    EXPECT_TRUE(suite.comparisons.empty());
    ASSERT_EQ(suite.enumerations.size(), 1u);
    EXPECT_EQ(suite.enumerations[0].id, FourCC("mooD"));
    const std::vector<AeteEnumerator>& e = suite.enumerations[0].enumerators;
    ASSERT_EQ(e.size(), 4u);
    const char* names[] = {"clear", "cool", "hot", "sick"};
    const uint32_t ids[] = {FourCC("moD0"), FourCC("moD1"), FourCC("moD2"), FourCC("moD3")};
    const char* descriptions[] = {"clear headed", "got the blues", "red-faced", "green with envy"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(e[i].name, names[i]);
        EXPECT_EQ(e[i].id, ids[i]);
        EXPECT_EQ(e[i].description, descriptions[i]);
    }
}

TEST(Aete, EveryTruncationBeforeTheTrailerIsRejected) {
    const std::string whole = ExpectedAete();
    for (size_t length = 0; length < whole.size() - 4; ++length) {
        Aete aete;
        const std::vector<uint8_t> cut = Prefix(whole, length);
        EXPECT_FALSE(ParseAete(cut.data(), cut.size(), aete)) << length;
    }
    for (size_t trailer = 0; trailer <= 4; ++trailer) {
        Aete aete;
        EXPECT_TRUE(ParsesAete(whole.substr(0, whole.size() - 4 + trailer), &aete));
        EXPECT_EQ(aete.trailingBytes, trailer);
    }
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
    EXPECT_EQ(aete.trailingBytes, 0u);
    const AeteSuite& suite = aete.suites.at(0);
    ASSERT_EQ(suite.events.at(0).parameters.size(), 1u);
    const AeteParameter& angle = suite.events[0].parameters[0];
    EXPECT_EQ(angle.name, "angle");
    EXPECT_EQ(angle.key, FourCC("Angl"));
    EXPECT_EQ(angle.type, FourCC("UntF"));
    EXPECT_EQ(angle.description, "deg");
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
    EXPECT_TRUE(suite.enumerations.empty());
}

TEST(Aete, NegativeCountsAndAMissingPreludeAreRejected) {
    const std::string whole = ExpectedAete();
    EXPECT_FALSE(ParsesAete(Raw("\x00\x00") + whole.substr(2)));
    std::string negativeSuites = whole;
    negativeSuites[8] = '\xFF';
    negativeSuites[9] = '\xFF';
    EXPECT_FALSE(ParsesAete(negativeSuites));
    // The enumerator count (after 'mooD') set to -1.
    std::string negativeEnumerators = whole;
    const size_t at = negativeEnumerators.find("Doom") + 4;
    negativeEnumerators[at] = '\xFF';
    negativeEnumerators[at + 1] = '\xFF';
    EXPECT_FALSE(ParsesAete(negativeEnumerators));
}

// ---------------------------------------------------------------- version

std::string Utf16z(const std::string& text) {
    std::string out;
    for (char c : text) out += c, out += '\0';
    return out + Raw("\0\0");
}

void Pad4(std::string& bytes) {
    while (bytes.size() % 4) bytes += '\0';
}

// One version block: length, value length, type, key, value, children.
std::string Block(const std::string& key, uint16_t type, const std::string& value, uint16_t valueLength,
                  const std::vector<std::string>& children) {
    std::string body = Utf16z(key);
    std::string out = Raw("\0\0\0\0\0\0") + body;
    Pad4(out);
    out += value;
    for (const std::string& child : children) {
        Pad4(out);
        out += child;
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
    const std::string company = Block("CompanyName", 1, Utf16z("Corvessa"), 9, {});
    const std::string product = Block("ProductName", 1, Utf16z("LumericII"), 9, {});  // length without the NUL
    const std::string table = Block("040904E4", 1, "", 0, {company, product});
    const std::string strings = Block("StringFileInfo", 1, "", 0, {table});
    const std::string translation = Block("Translation", 0, Raw("\x09\x04\xE4\x04" "\x07\x04\xB0\x04"), 8, {});
    const std::string vars = Block("VarFileInfo", 1, "", 0, {translation});
    return Block("VS_VERSION_INFO", 0, FixedInfo(), 52, {strings, vars});
}

bool ParsesVersion(const std::string& bytes, VersionInfo* out = nullptr) {
    VersionInfo info;
    const bool ok = ParseVersionInfo(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), info);
    if (out) *out = info;
    return ok;
}

TEST(VersionInfo, ReadsFixedInfoStringsAndTranslations) {
    VersionInfo info;
    ASSERT_TRUE(ParsesVersion(SampleVersion(), &info));
    EXPECT_EQ(info.fileVersion[0], 2);
    EXPECT_EQ(info.fileVersion[1], 3);
    EXPECT_EQ(info.fileVersion[2], 4);
    EXPECT_EQ(info.fileVersion[3], 5);
    EXPECT_EQ(info.productVersion[0], 1);
    EXPECT_EQ(info.fileType, 2u);
    ASSERT_EQ(info.stringTables.size(), 1u);
    EXPECT_EQ(info.stringTables[0].key, "040904E4");
    EXPECT_EQ(VersionString(info, "CompanyName"), "Corvessa");
    EXPECT_EQ(VersionString(info, "ProductName"), "LumericII");
    EXPECT_EQ(VersionString(info, "Missing"), "");
    ASSERT_EQ(info.translations.size(), 2u);
    EXPECT_EQ(info.translations[0].language, 0x0409);
    EXPECT_EQ(info.translations[0].codePage, 1252);
    EXPECT_EQ(info.translations[1].codePage, 1200);
}

TEST(VersionInfo, DecodesUtf16ToUtf8) {
    // U+00E9 in UTF-16, after "Lumeric".
    std::string value = Utf16z("Lumeric");
    value.insert(value.size() - 2, Raw("\xE9\x00"));
    const std::string table = Block("040904E4", 1, "", 0, {Block("ProductName", 1, value, 9, {})});
    VersionInfo info;
    ASSERT_TRUE(ParsesVersion(Block("VS_VERSION_INFO", 0, FixedInfo(), 52, {Block("StringFileInfo", 1, "", 0, {table})}),
                              &info));
    EXPECT_EQ(VersionString(info, "ProductName"), "Lumeric\xC3\xA9");
}

TEST(VersionInfo, DamageIsRejectedAndTruncationNeverReadsOutOfBounds) {
    const std::string whole = SampleVersion();
    for (size_t length = 0; length < whole.size(); ++length) {
        VersionInfo info;
        const std::vector<uint8_t> cut = Prefix(whole, length);
        EXPECT_FALSE(ParseVersionInfo(cut.data(), cut.size(), info)) << length;  // the root length no longer fits
    }
    std::string badSignature = whole;
    badSignature[whole.find(Raw("\xBD\x04\xEF\xFE"))] = 0;
    EXPECT_FALSE(ParsesVersion(badSignature));
    std::string tinyChild = whole;
    const size_t child = whole.find(Utf16z("StringFileInfo")) - 6;
    tinyChild[child] = 2;
    tinyChild[child + 1] = 0;
    EXPECT_FALSE(ParsesVersion(tinyChild));
    std::string hugeChild = whole;
    hugeChild[child + 1] = '\x7F';
    EXPECT_FALSE(ParsesVersion(hugeChild));
    EXPECT_FALSE(ParsesVersion(Block("NOT_VERSION", 0, FixedInfo(), 52, {})));
}

}  // namespace
