#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRegistry.h"
#include "StoreTestFixture.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kUserKey = "HKCU\\Software\\Orvane\\Quillbell";
const std::string kProfiles = kUserKey + "\\Profiles";

// The canonical order of the record's fields, as the notifier expects to find them.
const char* const kFieldOrder[] = {"ProfileID",    "ConfName",     "EServType",     "UserName",
                                   "UserPassword", "INetServer",   "INetPort",      "ExFolder",
                                   "ExFolderID",   "EClient",      "WhTime",        "Alarm",
                                   "SoundOptionA", "SoundOptionB", "WavName",       "PopupWin",
                                   "RunEClient",   "WaitEClient",  "ProfileEnabled"};

// One action on each of the nineteen values of a slot, in the canonical order.
void append(Lines& lines, const std::string& action, int slot) {
    for (const char* field : kFieldOrder) {
        lines.push_back(action + " " + kProfiles + "\\" + field + std::to_string(slot));
    }
}

// The real store behind a recorder; what the test planted before stays in place.
class WriteOrder : public storetest::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        store::saveProfile(0, store::newConfigurationDefaults("Kept", "Inbox"), 1, 1);
    }
    void record() {
        platform::installRegistry(std::make_unique<storetest::RecordingRegistry>(
            platform::createPlatformRegistry(), log_));
    }
    std::shared_ptr<storetest::RegistryLog> log_ = std::make_shared<storetest::RegistryLog>();
};

TEST_F(WriteOrder, SaveProfileWritesLanguageKeysGlobalsThenTheNineteenValues) {
    record();
    store::writeExternLang("Deutsch", "No");
    store::saveProfile(3, store::newConfigurationDefaults("New", "Inbox"), 1, 4);

    Lines expected = {
        "set " + kUserKey + "\\ExternLang",
        "create HKCU\\Software\\Orvane",
        "create HKCU\\Software\\Orvane\\Quillbell",
        "create HKCU\\Software\\Orvane\\Quillbell\\Profiles",
        "set " + kUserKey + "\\RunAtStartup",
        "set " + kUserKey + "\\ConfNumber",
    };
    append(expected, "set", 3);
    EXPECT_EQ(log_->writes, expected);
}

TEST_F(WriteOrder, SaveForANegativeSlotWritesOnlyTheLanguage) {
    record();
    store::writeExternLang("No", "No");
    store::saveProfile(-1, store::Configuration{}, 1, 0);
    EXPECT_EQ(log_->writes, Lines{"set " + kUserKey + "\\ExternLang"});
}

TEST_F(WriteOrder, LoadReadsTheIdentifierThenRunAtStartupThenTheRest) {
    record();
    store::loadProfile(0);
    ASSERT_EQ(log_->reads.size(), 20u);
    EXPECT_EQ(log_->reads[0], kProfiles + "\\ProfileID0");
    EXPECT_EQ(log_->reads[1], kUserKey + "\\RunAtStartup");
    EXPECT_EQ(log_->reads[2], kProfiles + "\\ConfName0");
    EXPECT_EQ(log_->reads[19], kProfiles + "\\ProfileEnabled0");
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

TEST_F(WriteOrder, DeletionWritesOnlyWhatDiffersBetweenNeighbours) {
    store::Configuration second = store::newConfigurationDefaults("B", "Inbox");
    second.ProfileID = 1;
    store::Configuration third = store::newConfigurationDefaults("C", "Inbox");
    third.ProfileID = 2;
    third.WhTime = "600";
    store::saveProfile(1, second, 1, 3);
    store::saveProfile(2, third, 1, 3);
    record();
    store::removeConfiguration(1, 3);

    Lines expected = {
        "set " + kProfiles + "\\ProfileID1",
        "set " + kProfiles + "\\ConfName1",
        "set " + kProfiles + "\\WhTime1",
    };
    append(expected, "delete", 2);
    expected.push_back("set " + kUserKey + "\\ConfNumber");
    EXPECT_EQ(log_->writes, expected);
}

}  // namespace
