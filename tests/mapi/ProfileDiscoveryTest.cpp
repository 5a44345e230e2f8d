#include "mapi/ProfileDiscovery.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/CodePage.h"
#include "support/PlantedProfiles.h"
#include "support/RecordingPrompts.h"
#include "support/TestRegistry.h"

namespace {

using platform::HKEY;
using Status = platform::LSTATUS;
using Names = std::vector<std::string>;
using U32 = std::uint32_t;
using S = const std::string&;

// The platform's registry with a hook before RegEnumKeyExA; the listing writes nothing.
class EnumHookRegistry final : public platform::Registry {
public:
    explicit EnumHookRegistry(std::function<std::optional<Status>(U32)> hook) : hook_(hook) {}
    Status EnumKeyEx(HKEY k, U32 i, char* n, U32* nl, char* c, U32* cl) override {
        const std::optional<Status> answer = hook_(i);
        return answer ? *answer : in_->EnumKeyEx(k, i, n, nl, c, cl);
    }
    Status CreateKeyEx(HKEY r, S p, U32 a, HKEY* k, U32* d) override {
        return in_->CreateKeyEx(r, p, a, k, d);
    }
    Status OpenKeyEx(HKEY r, S p, U32 a, HKEY* k) override { return in_->OpenKeyEx(r, p, a, k); }
    Status QueryValueEx(HKEY k, S n, U32* t, uint8_t* d, U32* c) override {
        return in_->QueryValueEx(k, n, t, d, c);
    }
    Status CloseKey(HKEY k) override { return in_->CloseKey(k); }
    Status QueryInfoKey(HKEY k, platform::KeyInfo* i) override { return in_->QueryInfoKey(k, i); }
    Status SetValueEx(HKEY, S, U32, const uint8_t*, U32) override { return kDenied; }
    Status DeleteValue(HKEY, S) override { return kDenied; }
    Status EnumValue(HKEY, U32, char*, U32*, U32*, uint8_t*, U32*) override { return kDenied; }

private:
    static constexpr Status kDenied = 5;
    std::unique_ptr<platform::Registry> in_ = platform::createPlatformRegistry();
    std::function<std::optional<Status>(U32)> hook_;
};

class ProfileDiscovery : public testing::Test {
protected:
    ProfileDiscovery() { platform::installCodePage(platform::createCodePage(1252)); }
    ~ProfileDiscovery() override { platform::installCodePage(nullptr); }

    // Inside the program's tree, which the test registry clears on every platform.
    void expectListing(S key, const Names& profiles, S defaultName, const Names& boxes = {}) {
        Names listed, shown;
        std::string shownDefault = "untouched";
        mapi::ListProfiles("Software\\Orvane\\" + key, listed, shownDefault);
        for (const testsupport::ShownMessageBox& box : prompts_->messageBoxes()) {
            shown.push_back(box.style == 0 && box.title == "Quillbell" ? box.text : "wrong box");
        }
        EXPECT_EQ(listed, profiles);
        EXPECT_EQ(shownDefault, defaultName);
        EXPECT_EQ(shown, boxes);
        prompts_->clearShown();
    }

    testsupport::ScopedTestRegistry registry_;
    testsupport::ScopedRecordingPrompts prompts_;
};

TEST_F(ProfileDiscovery, ListsDecodedSubkeysOnlyBesideADefault) {
    const std::string nt =
        "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";
    const std::string other = "Software\\Microsoft\\Windows Messaging Subsystem\\Profiles";
    EXPECT_EQ(Names({mapi::GetProfilesKeyPath(2), mapi::GetProfilesKeyPath(1),
                     mapi::GetProfilesKeyPath(0), mapi::GetProfilesKeyPath()}),
              Names({nt, other, other, nt}));  // Linux and the Windows of today are NT
    testsupport::plantProfiles("Software\\Orvane\\A", {"Alpha", "Beta"}, "Beta");
    expectListing("A", {"Alpha", "Beta"}, "Beta");
    testsupport::plantProfiles("Software\\Orvane\\B", {"Alpha"}, nullptr);
    expectListing("B", {}, "");
    expectListing("Missing", {}, "", {"Bad Key Name!"});
    // Enumerated by name without regard to case; groups of code page 1252, undefined ones,
    // and a name as the profile writer encodes it.
    testsupport::plantProfiles(
        "Software\\Orvane\\C",
        {"B\xFCro", "Cut[p", "Euro[px", "Mail[p|", "Office", "Two[p|[q|", "Wrong[AB", "X[", "Y[[p|",
         mapi::EncodeProfileName("Zo\xC3\xAB \xC3\x84rger").c_str()},
        "Mail[p|");
    expectListing(
        "C",
        {"B\xC3\xBCro", "Cut[p", "Euro\xE2\x82\xAC", "Mail\xC3\x80", "Office",
         "Two\xC3\x80\xC3\x81", "Wrong[AB", "X[", "Y[\xC3\x80", "Zo\xC3\xAB \xC3\x84rger"},
        "Mail[p|");
    EXPECT_EQ(mapi::EncodeProfileName("Zo\xC3\xAB \xC3\x84rger [x"), "Zo[{~ [t|rger [x");
    platform::installCodePage(platform::createCodePage(1251));
    EXPECT_EQ(mapi::DecodeProfileName("[p|"), "\xD0\x90");  // Cyrillic A
}

TEST_F(ProfileDiscovery, SubkeyCreatedDuringTheWalkIsListedWholeAndErrorsKeepWhatWasFound) {
    testsupport::plantProfiles("Software\\Orvane\\A", {"Alpha", "Beta"}, "Beta");
    const char* late = "Zulu, created while the list was being read";
    platform::installRegistry(std::make_unique<EnumHookRegistry>([&](U32) {
        testsupport::createKey(platform::kHkeyCurrentUser, "Software\\Orvane\\A\\" + S(late));
        return std::optional<Status>();
    }));
    expectListing("A", {"Alpha", "Beta", late}, "Beta");
    // A store that never has room enough must not make the buffers grow without end.
    for (const Status status : {1011, 234}) {
        platform::installRegistry(std::make_unique<EnumHookRegistry>([status](U32 index) {
            return index > 0 ? std::optional<Status>(status) : std::nullopt;
        }));
        expectListing("A", {"Alpha"}, "Beta",
                      {status == 1011 ? "Can't Open Key"
                                      : "Error - There is more data than the buffer can handle!"});
    }
}

}  // namespace
