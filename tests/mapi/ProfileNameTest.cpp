#include <gtest/gtest.h>

#include <string>

#include "mapi/ProfileDiscovery.h"
#include "platform/CodePage.h"

namespace {

class ProfileNameCoding : public testing::TestWithParam<int> {
protected:
    void SetUp() override { platform::installCodePage(platform::createCodePage(GetParam())); }
    void TearDown() override { platform::installCodePage(nullptr); }
};

// The profile writer encodes what discovery decodes: every character of the top quarter
// of the code page leaves as plain ASCII and comes back as itself.
TEST_P(ProfileNameCoding, TopQuarterCharactersTravelAsAsciiGroupsAndComeBack) {
    std::string topQuarter;
    for (int code = 192; code < 256; ++code) {
        topQuarter += static_cast<char>(code);
    }
    const std::string name = "Mail " + platform::ansiCodePage().fromAnsi(topQuarter) + " [x";
    const std::string encoded = mapi::EncodeProfileName(name);
    for (const char c : encoded) {
        ASSERT_LT(static_cast<unsigned char>(c), 128u) << encoded;
    }
    EXPECT_EQ(encoded.size(), 5 + 64 * 3 + 3u);
    EXPECT_EQ(mapi::DecodeProfileName(encoded), name);
}

INSTANTIATE_TEST_SUITE_P(WindowsCodePages, ProfileNameCoding, testing::Values(1251, 1252));

TEST(ProfileNameEncoding, GroupsAreTheOnesWindowsWrites) {
    platform::installCodePage(platform::createCodePage(1252));
    EXPECT_EQ(mapi::EncodeProfileName("\xC3\x80\xC3\x81\xC3\x90\xC3\xBF"), "[p|[q|[p}[\x7F\x7F");
    EXPECT_EQ(mapi::EncodeProfileName("Office [p| \xE2\x82\xAC"), "Office [p| \xE2\x82\xAC");
    platform::installCodePage(nullptr);
}

}  // namespace
