#include "mapi/ProfileDiscovery.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/CodePage.h"
#include "support/PlantedProfiles.h"
#include "support/RawRegistry.h"
#include "support/RecordingPrompts.h"
#include "support/TestRegistry.h"

namespace {

using platform::HKEY;
using platform::LSTATUS;
using Names = std::vector<std::string>;

// Inside the program's own tree, which the test registry clears on every platform.
const std::string kTestKey = "Software\\Orvane\\MAPI\\Profiles";

// The platform's registry, except that every RegEnumKeyExA first asks a hook, which may
// change the store or answer in the registry's place.
class EnumHookRegistry : public platform::Registry {
public:
    using Hook = std::function<std::optional<LSTATUS>(platform::Registry&, std::uint32_t)>;
    explicit EnumHookRegistry(Hook hook)
        : inner_(platform::createPlatformRegistry()), hook_(std::move(hook)) {}

    LSTATUS EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen, char* cls,
                      std::uint32_t* classLen) override {
        if (const std::optional<LSTATUS> answer = hook_(*inner_, index)) {
            return *answer;
        }
        return inner_->EnumKeyEx(key, index, name, nameLen, cls, classLen);
    }
    LSTATUS CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access, HKEY* result,
                        std::uint32_t* disposition) override {
        return inner_->CreateKeyEx(root, path, access, result, disposition);
    }
    LSTATUS OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                      HKEY* result) override {
        return inner_->OpenKeyEx(root, path, access, result);
    }
    LSTATUS SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t count) override {
        return inner_->SetValueEx(key, name, type, data, count);
    }
    LSTATUS QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* count) override {
        return inner_->QueryValueEx(key, name, type, data, count);
    }
    LSTATUS DeleteValue(HKEY key, const std::string& name) override {
        return inner_->DeleteValue(key, name);
    }
    LSTATUS CloseKey(HKEY key) override { return inner_->CloseKey(key); }
    LSTATUS QueryInfoKey(HKEY key, platform::KeyInfo* info) override {
        return inner_->QueryInfoKey(key, info);
    }
    LSTATUS EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) override {
        return inner_->EnumValue(key, index, name, nameLen, type, data, dataLen);
    }

private:
    std::unique_ptr<platform::Registry> inner_;
    Hook hook_;
};

class ProfileDiscovery : public testing::Test {
protected:
    void SetUp() override { platform::installCodePage(platform::createCodePage(1252)); }
    void TearDown() override { platform::installCodePage(nullptr); }

    // Lists the test key and checks the list, the default and the message boxes shown.
    void expectListing(const Names& profiles, const std::string& defaultName,
                       const Names& messages) {
        Names listed;
        std::string shownDefault = "untouched";
        mapi::ListProfiles(kTestKey, listed, shownDefault);
        EXPECT_EQ(listed, profiles);
        EXPECT_EQ(shownDefault, defaultName);
        Names shown;
        for (const testsupport::ShownMessageBox& box : prompts_->messageBoxes()) {
            EXPECT_EQ(box.style, 0);
            EXPECT_EQ(box.title, "Quillbell");
            shown.push_back(box.text);
        }
        EXPECT_EQ(shown, messages);
    }

    testsupport::ScopedTestRegistry registry_;
    testsupport::ScopedRecordingPrompts prompts_;
};

TEST(ProfilesKeyPath, FollowsThePlatformFamily) {
    const std::string nt =
        "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";
    const std::string other = "Software\\Microsoft\\Windows Messaging Subsystem\\Profiles";
    EXPECT_EQ(mapi::GetProfilesKeyPath(2), nt);
    EXPECT_EQ(mapi::GetProfilesKeyPath(1), other);
    EXPECT_EQ(mapi::GetProfilesKeyPath(0), other);
    // Linux and every Windows this runs on belong to the NT family.
    EXPECT_EQ(mapi::GetPlatformId(), 2);
    EXPECT_EQ(mapi::GetProfilesKeyPath(), nt);
}

TEST_F(ProfileDiscovery, ListsSubkeysDecodedOnlyWhenTheDefaultCanBeRead) {
    testsupport::plantProfiles(kTestKey, {"Alpha", "Beta"}, "Beta");
    expectListing({"Alpha", "Beta"}, "Beta", {});

    testsupport::plantProfiles("Software\\Orvane\\MAPI\\Bare", {"Alpha", "Beta"}, std::nullopt);
    Names listed;
    std::string shownDefault = "untouched";
    mapi::ListProfiles("Software\\Orvane\\MAPI\\Bare", listed, shownDefault);
    EXPECT_EQ(listed, Names{});
    EXPECT_EQ(shownDefault, "");
    EXPECT_TRUE(prompts_->messageBoxes().empty());
}

TEST_F(ProfileDiscovery, NamesComeBackDecodedFromTheAnsiCodePage) {
    // In the order the registry enumerates them: by name, without regard to case.
    testsupport::plantProfiles(
        kTestKey,
        {"B\xFCro", "Cut[p", "Euro[px", "Mail[p|", "Office", "Two[p|[q|", "Wrong[AB", "X["},
        "Mail[p|");
    expectListing({"B\xC3\xBCro", "Cut[p", "Euro\xE2\x82\xAC", "Mail\xC3\x80", "Office",
                   "Two\xC3\x80\xC3\x81", "Wrong[AB", "X["},
                  "Mail[p|", {});
}

TEST_F(ProfileDiscovery, MissingKeyIsToldOnce) {
    expectListing({}, "", {"Bad Key Name!"});
}

TEST_F(ProfileDiscovery, SubkeyCreatedDuringTheWalkIsListedWhole) {
    const std::string late = "Zulu, created while the list was being read";
    testsupport::plantProfiles(kTestKey, {"Alpha", "Beta"}, "Beta");
    platform::installRegistry(std::make_unique<EnumHookRegistry>(
        [&, added = false](platform::Registry& inner, std::uint32_t) mutable {
            if (!added) {
                added = true;
                HKEY key = 0;
                inner.CreateKeyEx(platform::kHkeyCurrentUser, kTestKey + "\\" + late,
                                  platform::kKeyWriteAccess, &key, nullptr);
                inner.CloseKey(key);
            }
            return std::optional<LSTATUS>();
        }));
    expectListing({"Alpha", "Beta", late}, "Beta", {});
}

TEST_F(ProfileDiscovery, WalkErrorsAreToldOnceAndKeepWhatWasFound) {
    testsupport::plantProfiles(kTestKey, {"Alpha", "Beta"}, "Beta");
    const struct {
        LSTATUS fromSecondSubkey;
        Names profiles;
        std::string message;
    } cases[] = {
        {1011, {"Alpha"}, "Can't Open Key"},
        // A store that never has room enough must not make the walk grow without end.
        {234, {"Alpha"}, "Error - There is more data than the buffer can handle!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        prompts_->clearShown();
        platform::installRegistry(
            std::make_unique<EnumHookRegistry>([&](platform::Registry&, std::uint32_t index) {
                return index >= 1 ? std::optional<LSTATUS>(c.fromSecondSubkey) : std::nullopt;
            }));
        expectListing(c.profiles, "Beta", {c.message});
    }
}

}  // namespace
