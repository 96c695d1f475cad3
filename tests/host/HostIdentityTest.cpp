// Host identification rules. The Windows API path is tested under wine with
// two real host executables; this is the rule in any case and the raw
// search the module falls back on when a version resource's string table
// is not where its translation says.
#include <gtest/gtest.h>

#include "host/HostIdentity.h"

namespace {

TEST(HostIdentity, PremiereIsAnInternalNameBeginningWithAdobePremiereInAnyCase) {
    for (const char* name : {"Adobe Premiere Pro", "ADOBE PREMIERE", "adobe premiere elements"})
        EXPECT_TRUE(InternalNameIsPremiere(name)) << name;
    for (const char* name : {" Adobe Premiere", "Adobe Premier", "Adobe_Premiere", ""})
        EXPECT_FALSE(InternalNameIsPremiere(name)) << name;
    EXPECT_FALSE(InternalNameIsPremiere(nullptr));
}

TEST(HostIdentity, FindsTheInternalNameInRawUnicodeVersionData) {
    auto utf16 = [](const std::string& text) {
        std::vector<uint8_t> out;
        for (char c : text) out.insert(out.end(), {uint8_t(c), 0});
        return out;
    };
    const std::vector<uint8_t> key = utf16("InternalName"), value = utf16("Adobe Premiere Pro");
    std::vector<uint8_t> data = {1, 2, 3, 4};
    data.insert(data.end(), key.begin(), key.end());
    data.insert(data.end(), {0, 0, 0, 0});  // terminator and padding
    data.insert(data.end(), value.begin(), value.end());
    data.insert(data.end(), {0, 0});
    std::string name;
    ASSERT_TRUE(FindInternalNameInRawVersion(data.data(), data.size(), &name));
    EXPECT_EQ(name, "Adobe Premiere Pro");
    EXPECT_FALSE(FindInternalNameInRawVersion(key.data(), key.size(), &name)) << "nothing after the key";
    EXPECT_FALSE(FindInternalNameInRawVersion(data.data(), 20, &name)) << "the key cut short";
}

}  // namespace
