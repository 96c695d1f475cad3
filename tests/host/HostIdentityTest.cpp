// Host identification rules (the version resource reading itself is tested
// under wine with real host executables).
#include <gtest/gtest.h>

#include "host/HostIdentity.h"

namespace {

struct NameCase {
    const char* name;
    bool premiere;
};

class PremiereName : public ::testing::TestWithParam<NameCase> {};

TEST_P(PremiereName, BeginsWithAdobePremiereIgnoringCase) {
    EXPECT_EQ(InternalNameIsPremiere(GetParam().name), GetParam().premiere) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PremiereName,
                         ::testing::Values(NameCase{"Adobe Premiere Pro", true}, NameCase{"ADOBE PREMIERE", true},
                                           NameCase{"adobe premiere elements", true},
                                           NameCase{" Adobe Premiere", false}, NameCase{"Adobe Premier", false},
                                           NameCase{"Adobe Photoshop", false}, NameCase{"", false},
                                           NameCase{"Adobe_Premiere", false}));

TEST(HostIdentity, NullNameIsNotPremiere) { EXPECT_FALSE(InternalNameIsPremiere(nullptr)); }

std::vector<uint8_t> Utf16(const char* text) {
    std::vector<uint8_t> out;
    for (; *text; ++text) {
        out.push_back(uint8_t(*text));
        out.push_back(0);
    }
    return out;
}

TEST(HostIdentity, FindsTheInternalNameInRawUnicodeVersionData) {
    std::vector<uint8_t> data = {1, 2, 3, 4};
    const auto key = Utf16("InternalName");
    data.insert(data.end(), key.begin(), key.end());
    data.insert(data.end(), {0, 0, 0, 0});  // terminator and padding
    const auto value = Utf16("Adobe Premiere Pro");
    data.insert(data.end(), value.begin(), value.end());
    data.insert(data.end(), {0, 0});
    std::string name;
    ASSERT_TRUE(FindInternalNameInRawVersion(data.data(), data.size(), &name));
    EXPECT_EQ(name, "Adobe Premiere Pro");
}

TEST(HostIdentity, RawDataWithoutTheKeyOrTruncatedIsHandled) {
    std::string name;
    const auto key = Utf16("InternalNam");
    EXPECT_FALSE(FindInternalNameInRawVersion(key.data(), key.size(), &name));
    const auto cut = Utf16("InternalName");
    EXPECT_FALSE(FindInternalNameInRawVersion(cut.data(), cut.size(), &name));
    EXPECT_FALSE(FindInternalNameInRawVersion(nullptr, 0, &name));
}

}  // namespace
