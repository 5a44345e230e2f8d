#include "store/ProfileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreTestFixture.h"
#include "registry/modRegistryAccess.h"
#include "store/ConfigurationFields.h"
#include "store/ProfileStore.h"

namespace {

using store::Configuration;
using storetest::kProductKey;
using Names = std::vector<std::string>;

class ProfileList : public storetest::StoreTest {
protected:
    // Creates a configuration the way the window does: identifier from LastID, saved to
    // the next slot, LastID moved on.
    static void create(const std::string& name) {
        const int slot = store::listedConfigurationCount();
        Configuration record = store::newConfigurationDefaults(name, "Inbox");
        record.ProfileID = store::nextProfileID();
        store::writeLastIDAfter(record.ProfileID);
        store::saveProfile(slot, record, 1, slot + 1);
    }
    static std::string lastID() { return storedText("LastID", kProductKey).value_or("<missing>"); }
    static std::string confNumber() { return storedText("ConfNumber", kProductKey).value_or(""); }
};

TEST(ListEntryText, NumbersAreZeroFilledToTwoDigits) {
    EXPECT_EQ(store::listEntryText(0, "Work"), "01: Work");
    EXPECT_EQ(store::listEntryText(8, "x"), "09: x");
    EXPECT_EQ(store::listEntryText(9, "Home"), "10: Home");
    EXPECT_EQ(store::listEntryText(99, "Club"), "100: Club");
    EXPECT_EQ(store::listEntryText(2, ""), "03: ");
}

TEST_F(ProfileList, FirstIdentifierIsZeroWithLastIDMissingAndNoneIsHandedOutTwice) {
    EXPECT_EQ(lastID(), "<missing>");
    create("First");
    EXPECT_EQ(storedText("ProfileID0"), "0");
    EXPECT_EQ(lastID(), "1");
    EXPECT_EQ(confNumber(), "1");
    create("Second");
    EXPECT_EQ(storedText("ProfileID1"), "1");
    EXPECT_EQ(lastID(), "2");
    // LastID lost, lowered or unreadable: the next identifier still follows the ones in use.
    for (const char* damaged : {"", "0", "-7", "abc", "99999999999"}) {
        plantText("LastID", damaged, kProductKey);
        EXPECT_EQ(store::nextProfileID(), 2) << damaged;
    }
    plantText("LastID", "40000", kProductKey);
    EXPECT_EQ(store::nextProfileID(), 40000);
    plantDword("LastID", 70000, kProductKey);
    EXPECT_EQ(store::nextProfileID(), 70000);
}

TEST_F(ProfileList, ConfNumberOnlyListsSlotsThatHoldConfigurations) {
    plantText("ConfName0", "Leftover");
    EXPECT_EQ(store::readProfileNames(), Names{}) << "ConfNumber missing";
    for (const char* name : {"A", "B", "C"}) {
        create(name);
    }
    const Names all{"A", "B", "C"};
    const std::pair<const char*, Names> cases[] = {
        {"0", {}},      {"-4", {}},          {"30", all},   {"32767", all},
        {"40000", all}, {"2147483648", all}, {"many", all}, {" 3x", all}};
    for (const auto& [claimed, expected] : cases) {
        plantText("ConfNumber", claimed, kProductKey);
        EXPECT_EQ(store::readProfileNames(), expected) << claimed;
    }
    plantDword("ConfNumber", 2, kProductKey);
    EXPECT_EQ(store::readProfileNames(), (Names{"A", "B"}));
}

TEST_F(ProfileList, GapsInsideTheListStayEntries) {
    plantText("ConfName0", "A");
    plantText("WhTime1", "300");  // a slot without a name still holds a configuration
    plantText("ConfName3", "D");
    plantText("ConfNumber", "6", kProductKey);
    EXPECT_EQ(store::readProfileNames(), (Names{"A", "", "", "D"}));
    plantText("ConfName15", "P");
    plantText("ConfNumber", "unknown", kProductKey);
    EXPECT_EQ(store::listedConfigurationCount(), 16);
}

TEST_F(ProfileList, IdentifiersCoverThe32BitRange) {
    plantText("LastID", "2147483646", kProductKey);
    create("A");
    create("B");
    EXPECT_EQ(storedText("ProfileID1"), "2147483647");
    EXPECT_EQ(lastID(), "2147483648");
    // Exhausted: the smallest identifier not in use.
    create("C");
    create("D");
    EXPECT_EQ(storedText("ProfileID0"), "2147483646");
    EXPECT_EQ(storedText("ProfileID2"), "0");
    EXPECT_EQ(storedText("ProfileID3"), "1");
    // LastID never goes down, also when set by hand beyond the range.
    EXPECT_EQ(lastID(), "2147483648");
    plantText("LastID", "99999999999", kProductKey);
    create("E");
    EXPECT_EQ(storedText("ProfileID4"), "2");
    EXPECT_EQ(lastID(), "99999999999");
}

// --- deleting ---------------------------------------------------------------------------

class ProfileRemoval : public ProfileList {
protected:
    void SetUp() override {
        ProfileList::SetUp();
        for (const char* name : {"First", "Second", "Third"}) {
            create(name);
        }
        third_ = store::readConfiguration(2);
        third_.UserPassword = "pw";  // a password must move with its configuration
        store::writeConfiguration(2, third_);
    }
    static bool anyValueWithSuffix(int slot) {
        for (const auto& field : store::kConfigurationFields) {
            if (storedText(field.name + std::to_string(slot))) {
                return true;
            }
        }
        return false;
    }
    Configuration third_;
};

TEST_F(ProfileRemoval, DeletingTheSecondOfThreeMovesTheThirdDown) {
    const Configuration first = store::readConfiguration(0);
    // Slot 1 says "true" in words and holds the third's identifier as a REG_DWORD: the same
    // meaning as the third's values, which must still replace them as a full save would.
    plantText("SoundOptionA1", "True");
    plantDword("ProfileID1", 2);
    // The third moves exactly as stored, odd values and missing ones included.
    plantText("Alarm2", "2");
    plantText("ProfileEnabled2", "yes");
    modRegistryAccess::DeleteRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                      storetest::kProfilesKey, "WhTime2");
    store::removeConfiguration(1, 3);
    EXPECT_EQ(store::readConfiguration(0), first);
    EXPECT_EQ(storedText("ProfileID1"), "2");
    EXPECT_EQ(storedText("SoundOptionA1"), "-1");
    EXPECT_EQ(storedText("Alarm1"), "2");
    EXPECT_EQ(storedText("ProfileEnabled1"), "yes");
    EXPECT_EQ(storedText("WhTime1"), std::nullopt);
    EXPECT_FALSE(anyValueWithSuffix(2));
    EXPECT_EQ(confNumber(), "2");
    EXPECT_EQ(lastID(), "3");
    EXPECT_EQ(store::readProfileNames(), (Names{"First", "Third"}));
}

TEST_F(ProfileRemoval, DeletingTheLastMovesNothingAndASlotOutsideTheListNothingAtAll) {
    store::removeConfiguration(3, 3);
    store::removeConfiguration(-1, 3);
    EXPECT_EQ(store::readProfileNames(), (Names{"First", "Second", "Third"}));
    EXPECT_EQ(confNumber(), "3");

    const Configuration second = store::readConfiguration(1);
    plantText("Unrelated2", "stays");
    store::removeConfiguration(2, 3);
    store::deleteProfile(2);  // values that are gone are passed over
    EXPECT_EQ(store::readConfiguration(1), second);
    EXPECT_FALSE(anyValueWithSuffix(2));
    EXPECT_EQ(storedText("Unrelated2"), "stays");
    EXPECT_EQ(confNumber(), "2");
}

TEST_F(ProfileRemoval, DeletingEveryConfigurationLeavesAnEmptyList) {
    store::removeConfiguration(0, 3);
    store::removeConfiguration(0, 2);
    EXPECT_EQ(store::readConfiguration(0), third_);
    store::removeConfiguration(0, 1);
    EXPECT_FALSE(anyValueWithSuffix(0));
    EXPECT_EQ(confNumber(), "0");
    EXPECT_EQ(store::readProfileNames(), Names{});
    EXPECT_EQ(lastID(), "3");
    create("Fresh");
    EXPECT_EQ(storedText("ProfileID0"), "3");
}

TEST_F(ProfileRemoval, SlotsAboveTenAreListedAndMoveAcrossTheTwoDigitBoundary) {
    Names names{"First", "Second", "Third"};
    for (int i = 3; i < 12; ++i) {
        names.push_back("Mailbox " + std::to_string(i));
        create(names.back());
    }
    EXPECT_EQ(store::readProfileNames(), names);
    EXPECT_EQ(storedText("ConfName11"), "Mailbox 11");
    store::removeConfiguration(0, 12);
    EXPECT_EQ(storedText("ConfName9"), "Mailbox 10");
    EXPECT_EQ(storedText("ConfName10"), "Mailbox 11");
    EXPECT_EQ(storedText("ProfileID10"), "11");
    EXPECT_FALSE(anyValueWithSuffix(11));
    EXPECT_EQ(store::readProfileNames().size(), 11u);
}

}  // namespace
