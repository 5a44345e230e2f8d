#include "store/ProfileList.h"

#include "StoreTestFixture.h"
#include "store/ProfileStore.h"

namespace {

using store::Configuration;
using storetest::kProductKey;
using Names = std::vector<std::string>;

const storetest::Texts kNoValues(19, "<missing>");

class ProfileList : public storetest::StoreTest {
protected:
    // Creates configurations the way the window does.
    static void create(std::initializer_list<std::string> names) {
        for (const auto& name : names) {
            const int slot = store::listedConfigurationCount();
            Configuration record = store::newConfigurationDefaults(name, "Inbox");
            record.ProfileID = store::nextProfileID();
            store::writeLastIDAfter(record.ProfileID);
            store::saveProfile(slot, record, 1, slot + 1);
        }
    }
    static std::string lastID() { return storedText("LastID", kProductKey).value_or("<missing>"); }
    static std::string confNumber() { return storedText("ConfNumber", kProductKey).value_or(""); }
};

TEST(ListEntryText, NumbersAreZeroFilledToTwoDigits) {
    EXPECT_EQ(store::listEntryText(9, "Home"), "10: Home");
    EXPECT_EQ(store::listEntryText(99, "Club"), "100: Club");
}

TEST_F(ProfileList, IdentifiersStartAtZeroCoverThe32BitRangeAndAreNeverHandedOutTwice) {
    create({"First", "Second"});
    // LastID lost, lowered or unreadable: the next identifier still follows the ones in use.
    for (const char* damaged : {"", "0", "-7", "abc", "99999999999"}) {
        plantText("LastID", damaged, kProductKey);
        EXPECT_EQ(store::nextProfileID(), 2) << damaged;
    }
    plantText("LastID", "40000", kProductKey);
    EXPECT_EQ(store::nextProfileID(), 40000);
    plantDword("LastID", 70000, kProductKey);
    EXPECT_EQ(store::nextProfileID(), 70000);

    plantText("LastID", "2147483646", kProductKey);
    create({"A", "B"});
    EXPECT_EQ(storedText("ProfileID3"), "2147483647");
    EXPECT_EQ(lastID(), "2147483648");
    // Exhausted: the smallest identifier not in use.
    create({"C", "D"});
    EXPECT_EQ(storedText("ProfileID2"), "2147483646");
    EXPECT_EQ(storedText("ProfileID4"), "2");
    EXPECT_EQ(storedText("ProfileID5"), "3");
    // LastID never goes down, also when set by hand beyond the range.
    EXPECT_EQ(lastID(), "2147483648");
    plantText("LastID", "99999999999", kProductKey);
    create({"E"});
    EXPECT_EQ(storedText("ProfileID6"), "4");
    EXPECT_EQ(lastID(), "99999999999");
}

TEST_F(ProfileList, ConfNumberOnlyListsSlotsThatHoldConfigurationsGapsIncluded) {
    plantText("ConfName0", "Leftover");
    EXPECT_EQ(store::readProfileNames(), Names{}) << "ConfNumber missing";
    create({"A", "B", "C"});
    const Names all{"A", "B", "C"};
    const std::pair<const char*, Names> cases[] = {
        {"0", {}}, {"-4", {}}, {"32767", all}, {"2147483648", all}, {"many", all}};
    for (const auto& [claimed, expected] : cases) {
        plantText("ConfNumber", claimed, kProductKey);
        EXPECT_EQ(store::readProfileNames(), expected) << claimed;
    }
    plantDword("ConfNumber", 2, kProductKey);
    EXPECT_EQ(store::readProfileNames(), (Names{"A", "B"}));
    // Gaps inside the list stay entries; a slot without a name still holds a configuration.
    plantText("WhTime4", "300");
    plantText("ConfName6", "G");
    plantText("ConfNumber", "9", kProductKey);
    EXPECT_EQ(store::readProfileNames(), (Names{"A", "B", "C", "", "", "", "G"}));
    plantText("ConfName21", "V");
    plantText("ConfNumber", "unknown", kProductKey);
    EXPECT_EQ(store::listedConfigurationCount(), 22);
}

using ProfileRemoval = ProfileList;

TEST_F(ProfileRemoval, SlotsOutsideTheListStayTheLastMovesNothingAndTheListCanEmpty) {
    create({"First", "Second", "Third"});
    store::removeConfiguration(3, 3);
    store::removeConfiguration(-1, 3);
    EXPECT_EQ(store::readProfileNames(), (Names{"First", "Second", "Third"}));
    EXPECT_EQ(confNumber(), "3");

    const Configuration second = store::readConfiguration(1);
    plantText("Unrelated2", "stays");
    store::removeConfiguration(2, 3);
    store::deleteProfile(2);  // values that are gone are passed over
    EXPECT_EQ(store::readConfiguration(1), second);
    EXPECT_EQ(storedRecord(2), kNoValues);
    EXPECT_EQ(storedText("Unrelated2"), "stays");
    EXPECT_EQ(confNumber(), "2");

    store::removeConfiguration(0, 2);
    EXPECT_EQ(store::readConfiguration(0), second);
    store::removeConfiguration(0, 1);
    EXPECT_EQ(storedRecord(0), kNoValues);
    EXPECT_EQ(confNumber(), "0");
    EXPECT_EQ(store::readProfileNames(), Names{});
    EXPECT_EQ(lastID(), "3");
    create({"Fresh"});
    EXPECT_EQ(storedText("ProfileID0"), "3");
}

}  // namespace
