// Host identification rules (the version resource reading itself is tested
// under wine with real host executables).
#include <gtest/gtest.h>

#include "host/HostIdentity.h"

namespace {

TEST(HostIdentity, PremiereIsAnInternalNameBeginningWithAdobePremiereInAnyCase) {
    struct Case { const char* name; bool premiere; };
    for (const Case& c : {Case{"Adobe Premiere Pro", true}, Case{"ADOBE PREMIERE", true},
                          Case{"adobe premiere elements", true}, Case{" Adobe Premiere", false},
                          Case{"Adobe Premier", false}, Case{"Adobe Photoshop", false}, Case{"", false},
                          Case{"Adobe_Premiere", false}})
        EXPECT_EQ(InternalNameIsPremiere(c.name), c.premiere) << c.name;
    EXPECT_FALSE(InternalNameIsPremiere(nullptr));
}

std::vector<uint8_t> Utf16(const char* text) {
    std::vector<uint8_t> out;
    for (; *text; ++text) out.insert(out.end(), {uint8_t(*text), 0});
    return out;
}

TEST(HostIdentity, FindsTheInternalNameInRawUnicodeVersionData) {
    std::vector<uint8_t> data = {1, 2, 3, 4};
    const auto key = Utf16("InternalName"), value = Utf16("Adobe Premiere Pro");
    data.insert(data.end(), key.begin(), key.end());
    data.insert(data.end(), {0, 0, 0, 0});  // terminator and padding
    data.insert(data.end(), value.begin(), value.end());
    data.insert(data.end(), {0, 0});
    std::string name;
    ASSERT_TRUE(FindInternalNameInRawVersion(data.data(), data.size(), &name));
    EXPECT_EQ(name, "Adobe Premiere Pro");
    // Without the key, or with nothing after it.
    const auto partial = Utf16("InternalNam");
    EXPECT_FALSE(FindInternalNameInRawVersion(partial.data(), partial.size(), &name));
    EXPECT_FALSE(FindInternalNameInRawVersion(key.data(), key.size(), &name));
    EXPECT_FALSE(FindInternalNameInRawVersion(nullptr, 0, &name));
}

}  // namespace
