#include "store/ProfileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreTestFixture.h"
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

}  // namespace
