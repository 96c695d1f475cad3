// The built modules, read as a host reads them before loading: machine,
// exported entry point, PiPL, AETE, version and About template, byte for
// byte against what the filter declares. A missing module skips, unless
// LUMERIC_REQUIRE_WIN_MODULES=1 (the full build) makes it a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "cli/session/PeResources.h"
#include "host/Alert.h"
#include "tests/resources/ExpectedResources.h"

namespace {

struct ModuleCase {
    const char* name;
    const char* path;
    PeMachine machine;
    bool pe32Plus;
    const char* entryKeyAsStored;  // little-endian bytes of the key
    uint32_t otherEntryKey;        // must be absent
};

const ModuleCase kModules[] = {
    {"Win64", LUMERIC_WIN64_MODULE, PeMachine::X86_64, true, "4668", FourCC("wx86")},
    {"Win32", LUMERIC_WIN32_MODULE, PeMachine::I386, false, "68xw", FourCC("8664")},
};

void PrintTo(const ModuleCase& module, std::ostream* out) { *out << module.name; }

class Module : public ::testing::TestWithParam<ModuleCase> {
protected:
    void SetUp() override {
        std::ifstream in(GetParam().path, std::ios::binary);
        if (!in) {
            const char* required = std::getenv("LUMERIC_REQUIRE_WIN_MODULES");
            if (required && std::string(required) == "1") FAIL() << "module missing: " << GetParam().path;
            GTEST_SKIP() << "module not built: " << GetParam().path
                         << " (build the Windows modules first, or set LUMERIC_REQUIRE_WIN_MODULES=1 to fail)";
        }
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::string error;
        ASSERT_TRUE(OpenPeImage(bytes.data(), bytes.size(), image, &error)) << error;
    }

    std::vector<uint8_t> Resource(const ResourceKey& type, const ResourceKey& name) {
        std::vector<uint8_t> data;
        std::string error;
        EXPECT_TRUE(FindPeResource(image, type, name, data, &error)) << error;
        return data;
    }

    std::vector<uint8_t> bytes;
    PeImage image;
};

TEST_P(Module, IsADllForItsMachine) {
    EXPECT_EQ(image.machine, GetParam().machine);
    EXPECT_EQ(image.pe32Plus, GetParam().pe32Plus);
    EXPECT_TRUE(image.isDll);
}

TEST_P(Module, ExportsPluginMainUndecorated) {
    PeExports exports;
    std::string error;
    ASSERT_TRUE(ReadPeExports(image, exports, &error)) << error;
    EXPECT_EQ(exports.moduleName, "lumeric2.8bf");
    EXPECT_NE(std::find(exports.names.begin(), exports.names.end(), "PluginMain"), exports.names.end());
    for (const std::string& name : exports.names) EXPECT_EQ(name.find('@'), std::string::npos) << name;
}

TEST_P(Module, CarriesOnePiplAndOneAete) {
    std::vector<PeResource> resources;
    ASSERT_TRUE(ListPeResources(image, resources));
    int pipls = 0, aetes = 0;
    for (const PeResource& r : resources) {
        if (r.type.Matches(ResourceKey::Name("PiPL"))) {
            ++pipls;
            EXPECT_EQ(r.type.name, "PIPL");
            EXPECT_EQ(r.name.id, 16000);
        }
        if (r.type.Matches(ResourceKey::Name("AETE"))) {
            ++aetes;
            EXPECT_EQ(r.name.id, 16000);
        }
    }
    EXPECT_EQ(pipls, 1);
    EXPECT_EQ(aetes, 1);
}

TEST_P(Module, PiplIsExactlyTheDeclaredBytes) {
    const std::vector<uint8_t> pipl = Resource(ResourceKey::Name("PiPL"), ResourceKey::Id(16000));
    EXPECT_EQ(pipl, ToBytes(ExpectedPipl(GetParam().entryKeyAsStored)));
}

TEST_P(Module, PiplPropertiesReadAsAHostReadsThem) {
    const std::vector<uint8_t> bytes = Resource(ResourceKey::Name("PiPL"), ResourceKey::Id(16000));
    Pipl pipl;
    ASSERT_TRUE(ParsePipl(bytes.data(), bytes.size(), pipl));
    const PiplProperty* entry = FindPiplProperty(pipl, EntryPointKeyFor(GetParam().machine));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(PiplCString(*entry), "PluginMain");
    EXPECT_EQ(FindPiplProperty(pipl, GetParam().otherEntryKey), nullptr);
    EXPECT_EQ(FindPiplProperty(pipl, FourCC("kind"))->data, ToBytes("MFB8"));
    EXPECT_EQ(PiplPascalString(*FindPiplProperty(pipl, FourCC("name"))), "LumericII...");
    EXPECT_EQ(PiplPascalString(*FindPiplProperty(pipl, FourCC("catg"))), "Corvessa");
    // The terminology reference, packed: version, class, event, int16 ID, "".
    const std::vector<uint8_t>& hstm = FindPiplProperty(pipl, FourCC("hstm"))->data;
    ASSERT_EQ(hstm.size(), 16u);
    auto le32 = [&](size_t at) {
        return uint32_t(hstm[at]) | uint32_t(hstm[at + 1]) << 8 | uint32_t(hstm[at + 2]) << 16 |
               uint32_t(hstm[at + 3]) << 24;
    };
    EXPECT_EQ(le32(0), 0u);
    EXPECT_EQ(le32(4), FourCC("sdK2"));
    EXPECT_EQ(le32(8), FourCC("PVtr"));
    EXPECT_EQ(hstm[12] | hstm[13] << 8, 16000);
    EXPECT_EQ(hstm[14], 0);
    // Mode bit m is byte m / 8, mask 0x80 >> (m % 8).
    const std::vector<uint8_t>& mode = FindPiplProperty(pipl, FourCC("mode"))->data;
    ASSERT_EQ(mode.size(), 4u);
    auto hasMode = [&](int m) { return (mode[size_t(m / 8)] & (0x80 >> (m % 8))) != 0; };
    const int offered[] = {1, 3, 4, 5, 6, 7, 8, 9, 11, 13};  // Gray .. Lab, RGB48, CMYK64
    for (int m : offered) EXPECT_TRUE(hasMode(m)) << "mode " << m;
    const int refused[] = {0, 2, 10, 12, 14, 15, 16, 17};
    for (int m : refused) EXPECT_FALSE(hasMode(m)) << "mode " << m;
}

TEST_P(Module, AeteIsExactlyTheDeclaredBytes) {
    const std::vector<uint8_t> aete = Resource(ResourceKey::Name("AETE"), ResourceKey::Id(16000));
    EXPECT_EQ(aete, ToBytes(ExpectedAete()));
    Aete parsed;
    ASSERT_TRUE(ParseAete(aete.data(), aete.size(), parsed));
    ASSERT_EQ(parsed.suites.size(), 1u);
    EXPECT_EQ(parsed.suites[0].events.at(0).eventId, FourCC("PVtr"));
}

TEST_P(Module, VersionResourceNamesTheProduct) {
    const std::vector<uint8_t> bytes = Resource(ResourceKey::Id(16), ResourceKey::Id(1));
    VersionInfo info;
    std::string error;
    ASSERT_TRUE(ParseVersionInfo(bytes.data(), bytes.size(), info, &error)) << error;
    const uint16_t two[4] = {2, 0, 0, 0};
    EXPECT_TRUE(std::equal(two, two + 4, info.fileVersion));
    EXPECT_TRUE(std::equal(two, two + 4, info.productVersion));
    EXPECT_EQ(info.fileType, 2u);  // a DLL
    ASSERT_EQ(info.stringTables.size(), 1u);
    EXPECT_EQ(info.stringTables[0].key, "040904E4");
    EXPECT_EQ(VersionString(info, "ProductName"), "LumericII");
    EXPECT_EQ(VersionString(info, "ProductVersion"), kProductVersion);
    EXPECT_EQ(VersionString(info, "FileVersion"), kProductVersion);
    EXPECT_EQ(VersionString(info, "FileVersion"), "2.0.0");
    EXPECT_EQ(VersionString(info, "CompanyName"), "Corvessa");
    EXPECT_EQ(VersionString(info, "InternalName"), "lumeric2");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), "lumeric2.8bf");
    EXPECT_FALSE(VersionString(info, "FileDescription").empty());
    ASSERT_EQ(info.translations.size(), 1u);
    EXPECT_EQ(info.translations[0].language, 0x0409);
    EXPECT_EQ(info.translations[0].codePage, 1252);
}

// ---------------------------------------------------------------- About box

struct DialogItem {
    uint32_t id = 0;
    uint32_t style = 0;
    uint16_t classOrdinal = 0;
    std::u16string text;
};

struct DialogTemplate {
    uint32_t style = 0;
    std::u16string caption;
    uint16_t pointSize = 0;
    std::u16string font;
    std::vector<DialogItem> items;
};

// An extended dialog template, just enough to read its texts.
struct TemplateReader {
    const std::vector<uint8_t>& bytes;
    size_t at = 0;
    bool ok = true;

    uint16_t U16() {
        if (at + 2 > bytes.size()) return ok = false, 0;
        at += 2;
        return uint16_t(bytes[at - 2] | bytes[at - 1] << 8);
    }
    uint32_t U32() { return U16() | uint32_t(U16()) << 16; }
    std::u16string Text() {
        std::u16string text;
        for (char16_t c = char16_t(U16()); ok && c != 0; c = char16_t(U16())) text += c;
        return text;
    }
    // A string, or 0xFFFF and an ordinal (returned in `ordinal`).
    std::u16string TextOrOrdinal(uint16_t& ordinal) {
        ordinal = 0;
        if (at + 2 <= bytes.size() && bytes[at] == 0xFF && bytes[at + 1] == 0xFF) {
            U16();
            ordinal = U16();
            return std::u16string();
        }
        return Text();
    }
};

bool ReadDialogTemplate(const std::vector<uint8_t>& bytes, DialogTemplate& dialog) {
    TemplateReader in{bytes};
    if (in.U16() != 1 || in.U16() != 0xFFFF) return false;
    in.U32();  // help ID
    in.U32();  // extended style
    dialog.style = in.U32();
    const size_t count = in.U16();
    for (int i = 0; i < 4; ++i) in.U16();  // x, y, cx, cy
    uint16_t ordinal = 0;
    in.TextOrOrdinal(ordinal);  // menu
    in.TextOrOrdinal(ordinal);  // class
    dialog.caption = in.Text();
    if (dialog.style & 0x40) {  // DS_SETFONT
        dialog.pointSize = in.U16();
        in.U16();  // weight
        in.U16();  // italic, charset
        dialog.font = in.Text();
    }
    for (size_t i = 0; i < count && in.ok; ++i) {
        in.at = (in.at + 3) & ~size_t(3);
        DialogItem item;
        in.U32();  // help ID
        in.U32();  // extended style
        item.style = in.U32();
        for (int k = 0; k < 4; ++k) in.U16();
        item.id = in.U32();
        in.TextOrOrdinal(item.classOrdinal);
        uint16_t textOrdinal = 0;
        item.text = in.TextOrOrdinal(textOrdinal);
        in.at += in.U16();  // creation data
        dialog.items.push_back(item);
    }
    return in.ok;
}

const DialogItem* ItemWithId(const DialogTemplate& dialog, uint32_t id) {
    for (const DialogItem& item : dialog.items) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

TEST_P(Module, AboutTemplateShowsProductVersionAndRegisteredSigns) {
    const std::vector<uint8_t> bytes = Resource(ResourceKey::Id(5), ResourceKey::Id(16103));
    DialogTemplate dialog;
    ASSERT_TRUE(ReadDialogTemplate(bytes, dialog));
    EXPECT_EQ(dialog.caption, u"About LumericII");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, u"MS Shell Dlg");
    const uint16_t kStatic = 0x82, kButton = 0x80;
    const DialogItem* product = ItemWithId(dialog, 16104);
    const DialogItem* version = ItemWithId(dialog, 16105);
    const DialogItem* line = ItemWithId(dialog, 16106);
    const DialogItem* close = ItemWithId(dialog, 1);  // IDOK
    ASSERT_TRUE(product && version && line && close);
    EXPECT_EQ(product->text, u"LumericII");
    EXPECT_EQ(product->classOrdinal, kStatic);
    EXPECT_EQ(version->text, u"Version 2.0.0");
    // 0xAE in the Windows-1252 template text must become U+00AE.
    EXPECT_EQ(line->text, u"Plug-in filter for Adobe\u00AE Photoshop\u00AE.");
    EXPECT_EQ(close->text, u"Close");
    EXPECT_EQ(close->classOrdinal, kButton);
    EXPECT_EQ(close->style & 0xF, 1u);  // the default push button: Enter closes
}

INSTANTIATE_TEST_SUITE_P(Builds, Module, ::testing::ValuesIn(kModules),
                         [](const ::testing::TestParamInfo<ModuleCase>& info) { return info.param.name; });

}  // namespace
