// The notifier sees the store's writes in this order, so it is kept exactly.

#include <memory>

#include "StoreTestFixture.h"
#include "registry/modRegistryAccess.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"
#include "support/RecordingRegistry.h"

namespace {

using Lines = std::vector<std::string>;

// Spelled out here rather than taken from the code under test.
const char* const kFieldOrder[] = {"ProfileID",    "ConfName",     "EServType",     "UserName",
                                   "UserPassword", "INetServer",   "INetPort",      "ExFolder",
                                   "ExFolderID",   "EClient",      "WhTime",        "Alarm",
                                   "SoundOptionA", "SoundOptionB", "WavName",       "PopupWin",
                                   "RunEClient",   "WaitEClient",  "ProfileEnabled"};

void append(Lines& lines, const std::string& action, int slot, std::size_t from = 0) {
    for (std::size_t i = from; i < std::size(kFieldOrder); ++i) {
        lines.push_back(action + kFieldOrder[i] + std::to_string(slot));
    }
}

class WriteOrder : public storetest::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        store::saveProfile(0, store::newConfigurationDefaults("Kept", "Inbox"), 1, 1);
    }
    void record() {
        auto recording = std::make_unique<testsupport::RecordingRegistry>(true);
        log_ = recording.get();
        platform::installRegistry(std::move(recording));
    }
    testsupport::RecordingRegistry* log_ = nullptr;
};

TEST_F(WriteOrder, SaveWritesLanguageKeysGlobalsThenTheValuesAndLoadReadsTheIdentifierFirst) {
    plantText("ConfName-1", "x");
    record();
    store::writeExternLang("No", "No");
    store::saveProfile(-1, store::newConfigurationDefaults("A", "Inbox"), 1, 0);
    EXPECT_EQ(store::loadProfile(-1).record, store::Configuration{});
    EXPECT_EQ(log_->reads, Lines{});
    store::writeExternLang("Deutsch", "No");
    store::saveProfile(3, store::newConfigurationDefaults("New", "Inbox"), 1, 4);
    Lines expected = {"set ExternLang",
                      "set ExternLang",
                      "create Software\\Orvane",
                      "create Software\\Orvane\\Quillbell",
                      "create Software\\Orvane\\Quillbell\\Profiles",
                      "set RunAtStartup",
                      "set ConfNumber"};
    append(expected, "set ", 3);
    EXPECT_EQ(log_->writes, expected);

    log_->reads.clear();
    store::loadProfile(0);
    expected = {"ProfileID0", "RunAtStartup"};
    append(expected, "", 0, 1);
    EXPECT_EQ(log_->reads, expected);
}

TEST_F(WriteOrder, ReadingOddValuesWritesNothing) {
    plantText("ConfNumber", "lots", storetest::kProductKey);
    plantText("LastID", "-1", storetest::kProductKey);
    plantText("EServType0", "9");
    plantText("ProfileID0", "x");
    record();
    EXPECT_EQ(store::readProfileNames(), Lines{"Kept"});
    EXPECT_EQ(store::nextProfileID(), 0);
    EXPECT_EQ(store::loadProfile(0).record.EServType, 9);
    store::readExternLang();
    store::readConfigured();
    store::readHomeDir();
    EXPECT_EQ(log_->writes, Lines{});
}

// The third moves down exactly as stored; only what differs from the second's is written.
TEST_F(WriteOrder, DeletingTheSecondOfThreeMovesTheThirdDownWritingOnlyWhatDiffers) {
    store::Configuration second = store::newConfigurationDefaults("B", "Inbox");
    second.ProfileID = 1;
    store::Configuration third = store::newConfigurationDefaults("C", "Inbox");
    third.ProfileID = 2;
    third.UserPassword = "pw";
    store::saveProfile(1, second, 1, 3);
    store::saveProfile(2, third, 1, 3);
    // Slot 1 says "true" in words and holds the third's identifier as a REG_DWORD: the same
    // meaning as the third's values, which must still replace them as a full save would.
    plantText("SoundOptionA1", "True");
    plantDword("ProfileID1", 2);
    plantText("Alarm2", "2");
    plantText("ProfileEnabled2", "yes");
    modRegistryAccess::DeleteRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                      storetest::kProfilesKey, "WhTime2");
    record();
    store::removeConfiguration(1, 3);
    Lines expected = {"set ProfileID1", "set ConfName1",     "set UserPassword1",  "delete WhTime1",
                      "set Alarm1",     "set SoundOptionA1", "set ProfileEnabled1"};
    append(expected, "delete ", 2);
    std::erase(expected, "delete WhTime2");
    expected.push_back("set ConfNumber");
    EXPECT_EQ(log_->writes, expected);
    EXPECT_EQ(store::readConfiguration(1).UserPassword, "pw");
    EXPECT_EQ(storedText("ProfileID1"), "2");
    EXPECT_EQ(storedText("SoundOptionA1"), "-1");
    EXPECT_EQ(storedText("Alarm1"), "2");
    EXPECT_EQ(storedText("ProfileEnabled1"), "yes");
}

}  // namespace
