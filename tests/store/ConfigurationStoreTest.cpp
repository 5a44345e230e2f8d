#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "StoreTestFixture.h"
#include "platform/CodePage.h"
#include "store/Configuration.h"
#include "store/GlobalSettings.h"
#include "store/ProfileStore.h"
#include "store/RC4_Calc.h"

namespace {

using store::Configuration;
using storetest::kProductKey;

Configuration internetAccount() {
    Configuration record;
    record.ProfileID = 41;
    record.ConfName = "Home POP3";
    record.EServType = 3;
    record.UserName = "anna";
    record.UserPassword = "s3cr\xC3\xA9t";  // "s3crét"
    record.INetServer = "pop.example.org";
    record.INetPort = "995";
    record.ExFolder = "Inbox";
    record.ExFolderID = "00AB:00CD";
    record.EClient = "C:\\Mail\\client.exe";
    record.WhTime = "120";
    record.Alarm = 0;
    record.SoundOptionA = false;
    record.SoundOptionB = true;
    record.WavName = "C:\\Sounds\\ding.wav";
    record.PopupWin = 1;
    record.RunEClient = 1;
    record.WaitEClient = 1;
    record.ProfileEnabled = false;
    return record;
}

class ConfigurationStore : public storetest::StoreTest {};

TEST_F(ConfigurationStore, SlotTenAndAboveUseTheFullNumberAsSuffix) {
    const Configuration record = internetAccount();
    store::saveProfile(12, record, 1, 13);

    EXPECT_EQ(storedText("ConfName12"), "Home POP3");
    EXPECT_EQ(storedText("ProfileID12"), "41");
    EXPECT_EQ(storedText("EServType12"), "3");
    EXPECT_EQ(storedText("Alarm12"), "0");
    EXPECT_EQ(storedText("PopupWin12"), "1");
    EXPECT_EQ(storedText("SoundOptionA12"), "0");
    EXPECT_EQ(storedText("SoundOptionB12"), "-1");
    EXPECT_EQ(storedText("ProfileEnabled12"), "0");
    EXPECT_EQ(storedText("RunAtStartup", kProductKey), "1");
    EXPECT_EQ(storedText("ConfNumber", kProductKey), "13");
    EXPECT_FALSE(storedText("ConfName1"));
    EXPECT_FALSE(storedText("ConfName2"));

    const auto loaded = store::loadProfile(12);
    EXPECT_EQ(loaded.record, record);
    EXPECT_EQ(loaded.runAtStartup, 1);
}

TEST_F(ConfigurationStore, NewConfigurationStoresItsDefaults) {
    const Configuration defaults = store::newConfigurationDefaults("New configuration", "Inbox");
    store::saveProfile(0, defaults, 1, 1);

    const std::array<std::pair<const char*, const char*>, 19> expected = {{
        {"ProfileID0", "0"},
        {"ConfName0", "New configuration"},
        {"EServType0", "0"},
        {"UserName0", ""},
        {"UserPassword0", ""},
        {"INetServer0", ""},
        {"INetPort0", "110"},
        {"ExFolder0", "Inbox"},
        {"ExFolderID0", ""},
        {"EClient0", "C:\\Exchange\\EXCHNG32.EXE"},
        {"WhTime0", "300"},
        {"Alarm0", "1"},
        {"SoundOptionA0", "-1"},
        {"SoundOptionB0", "0"},
        {"WavName0", "C:\\WINDOWS\\MEDIA\\CHIMES.WAV"},
        {"PopupWin0", "0"},
        {"RunEClient0", "0"},
        {"WaitEClient0", "0"},
        {"ProfileEnabled0", "-1"},
    }};
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(storedText(name), text) << name;
    }
    EXPECT_EQ(store::loadProfile(0).record, defaults);
}

TEST_F(ConfigurationStore, MissingValuesLoadAsEmptyZeroAndFalse) {
    EXPECT_EQ(store::loadProfile(3).record, Configuration{});
    EXPECT_EQ(store::loadProfile(3).runAtStartup, 0);

    plantText("ConfName3", "Only a name");
    plantText("ProfileEnabled3", "-1");
    Configuration expected;
    expected.ConfName = "Only a name";
    expected.ProfileEnabled = true;
    EXPECT_EQ(store::loadProfile(3).record, expected);
}

TEST_F(ConfigurationStore, NegativeSlotReadsAndWritesNothing) {
    store::saveProfile(-1, internetAccount(), 1, 1);
    EXPECT_FALSE(storedText("ConfNumber", kProductKey));
    EXPECT_FALSE(storedText("ConfName-1"));
    plantText("ConfName-1", "x");
    EXPECT_EQ(store::loadProfile(-1).record, Configuration{});
}

TEST_F(ConfigurationStore, DeleteRemovesTheNineteenValuesOfItsSlotOnly) {
    store::saveProfile(0, internetAccount(), 0, 2);
    store::saveProfile(1, internetAccount(), 0, 2);
    plantText("Unrelated1", "stays");
    store::deleteProfile(1);
    store::deleteProfile(1);  // values that are gone are passed over
    EXPECT_FALSE(store::slotHoldsValues(1));
    EXPECT_EQ(storedText("Unrelated1"), "stays");
    EXPECT_EQ(store::loadProfile(0).record, internetAccount());
}

// --- passwords in the store ---------------------------------------------------------------

TEST_F(ConfigurationStore, PasswordIsStoredAsOneEncipheredBytePerCharacter) {
    Configuration record = internetAccount();
    record.UserPassword = "secret";
    store::writeConfiguration(0, record);
    EXPECT_EQ(
        testsupport::getRaw(storetest::kUser, storetest::kProfilesKey, "UserPassword0")->bytes,
        std::string("\xec\x8a\xba\xb9\xc7\xfd\0", 7));

    record.UserPassword.clear();
    store::writeConfiguration(1, record);
    EXPECT_EQ(storedText("UserPassword1"), "");
    EXPECT_EQ(store::readConfiguration(1).UserPassword, "");
}

TEST_F(ConfigurationStore, PasswordLongerThan256CharactersRoundTrips) {
    std::string password;
    for (int i = 0; i < 300; ++i) {
        password.push_back(static_cast<char>('!' + i % 94));
    }
    Configuration record = internetAccount();
    record.UserPassword = password;
    store::writeConfiguration(2, record);
    EXPECT_EQ(storedText("UserPassword2")->size(), 300u);
    EXPECT_EQ(store::readConfiguration(2).UserPassword, password);
}

TEST_F(ConfigurationStore, PasswordWhoseCipherHoldsAZeroByteRoundTrips) {
    // The keystream is what enciphering zero bytes gives. A password byte equal to the
    // keystream byte at its position enciphers to zero; pick a printable one.
    const auto keystream =
        RC4_Calc::crypt(std::string(64, '\0'), RC4_Calc::keyBytes(RC4_Calc::PasswordKey));
    std::size_t position = 0;
    while (static_cast<unsigned char>(keystream[position]) < 0x21 ||
           static_cast<unsigned char>(keystream[position]) > 0x7E) {
        ++position;
    }
    const std::string password = std::string(position, 'x') + keystream[position] + "tail";

    Configuration record = internetAccount();
    record.UserPassword = password;
    store::writeConfiguration(0, record);
    const auto stored = storedText("UserPassword0");
    ASSERT_EQ(stored->size(), password.size());
    EXPECT_EQ((*stored)[position], '\0');
    EXPECT_EQ(store::readConfiguration(0).UserPassword, password);
}

// --- values this program never writes -----------------------------------------------------

TEST_F(ConfigurationStore, HandWrittenNumbersAreReadLeniently) {
    plantText("ProfileID0", " 42 ");
    plantText("EServType0", "+2");
    plantText("Alarm0", "2");  // a greyed check box keeps its state
    plantText("SoundOptionA0", "5");
    plantText("SoundOptionB0", "tRUE");
    plantText("ProfileEnabled0", "99999999999999999999999");
    const Configuration loaded = store::readConfiguration(0);
    EXPECT_EQ(loaded.ProfileID, 42);
    EXPECT_EQ(loaded.EServType, 2);
    EXPECT_EQ(loaded.Alarm, 2);
    EXPECT_TRUE(loaded.SoundOptionA);
    EXPECT_TRUE(loaded.SoundOptionB);
    EXPECT_TRUE(loaded.ProfileEnabled);
}

TEST_F(ConfigurationStore, TextWhereANumberBelongsReadsAsMissing) {
    plantText("ProfileID0", "abc");
    plantText("EServType0", "1.5");
    plantText("PopupWin0", "");
    plantText("SoundOptionA0", "yes");
    plantText("ProfileEnabled0", "False");
    plantText("RunAtStartup", "on", kProductKey);
    const auto loaded = store::loadProfile(0);
    EXPECT_EQ(loaded.record.ProfileID, 0);
    EXPECT_EQ(loaded.record.EServType, 0);
    EXPECT_EQ(loaded.record.PopupWin, 0);
    EXPECT_FALSE(loaded.record.SoundOptionA);
    EXPECT_FALSE(loaded.record.ProfileEnabled);
    EXPECT_EQ(loaded.runAtStartup, 0);
}

TEST_F(ConfigurationStore, NumbersBeyondTheFieldsWidthReadAsMissing) {
    plantText("ProfileID0", "2147483648");
    plantText("EServType0", "32768");
    plantText("RunEClient0", "-32769");
    const Configuration loaded = store::readConfiguration(0);
    EXPECT_EQ(loaded.ProfileID, 0);
    EXPECT_EQ(loaded.EServType, 0);
    EXPECT_EQ(loaded.RunEClient, 0);

    plantText("ProfileID1", "-2147483648");
    plantText("EServType1", "-32768");
    EXPECT_EQ(store::readConfiguration(1).ProfileID, -2147483647 - 1);
    EXPECT_EQ(store::readConfiguration(1).EServType, -32768);
}

TEST_F(ConfigurationStore, UnknownServerTypeSurvivesLoadAndSave) {
    store::writeConfiguration(0, internetAccount());
    plantText("EServType0", "7");
    plantText("WaitEClient0", "3");
    const Configuration loaded = store::readConfiguration(0);
    EXPECT_EQ(loaded.EServType, 7);
    EXPECT_FALSE(store::isKnownServerType(loaded.EServType));
    store::writeConfiguration(0, loaded);
    EXPECT_EQ(storedText("EServType0"), "7");
    EXPECT_EQ(storedText("WaitEClient0"), "3");
}

TEST_F(ConfigurationStore, DwordValuesAreReadAsTheirNumbers) {
    plantDword("ProfileID0", 0x7FFFFFFF);
    plantDword("ConfName0", 12);
    plantDword("EServType0", 3);
    plantDword("Alarm0", 1);
    plantDword("SoundOptionA0", 0xFFFFFFFF);
    plantDword("ProfileEnabled0", 0);
    plantDword("WhTime0", 600);
    plantDword("EClient0", 0xFFFFFFFE);
    plantDword("PopupWin0", 0x10000);  // does not fit a check box
    const Configuration loaded = store::readConfiguration(0);
    EXPECT_EQ(loaded.ProfileID, 2147483647);
    EXPECT_EQ(loaded.ConfName, "12");
    EXPECT_EQ(loaded.EServType, 3);
    EXPECT_EQ(loaded.Alarm, 1);
    EXPECT_TRUE(loaded.SoundOptionA);
    EXPECT_FALSE(loaded.ProfileEnabled);
    EXPECT_EQ(loaded.WhTime, "600");
    EXPECT_EQ(loaded.EClient, "-2");
    EXPECT_EQ(loaded.PopupWin, 0);

    // Saving writes text again, with the same meaning.
    store::writeConfiguration(0, loaded);
    EXPECT_EQ(storedText("ProfileID0"), "2147483647");
    EXPECT_EQ(storedText("WhTime0"), "600");
}

// --- global values ----------------------------------------------------------------------

TEST_F(ConfigurationStore, NoLanguageEntryIsStoredAsEmptyInAnyLetterCase) {
    for (const char* choice : {"No", "NO", "no", "nO"}) {
        store::writeExternLang("Deutsch", "No");
        store::writeExternLang(choice, "No");
        EXPECT_EQ(storedText("ExternLang", kProductKey), "") << choice;
    }
    // A translated entry for no language file, in another script and case.
    store::writeExternLang("\xD0\x9D\xD0\x95\xD0\xA2", "\xD0\x9D\xD0\xB5\xD1\x82");  // НЕТ, Нет
    EXPECT_EQ(store::readExternLang(), "");
    store::writeExternLang("Nordic", "No");
    EXPECT_EQ(store::readExternLang(), "Nordic");
}

TEST_F(ConfigurationStore, GlobalsOfOpeningAndClosing) {
    EXPECT_FALSE(store::readConfigured());
    store::writeConfigured(true);
    EXPECT_EQ(storedText("Configured", kProductKey), "-1");
    EXPECT_TRUE(store::readConfigured());

    store::writeRunAtStartup(1);
    EXPECT_EQ(storedText("RunAtStartup", kProductKey), "1");
    EXPECT_EQ(store::readRunAtStartup(), 1);

    testsupport::createKey(storetest::kMachine, kProductKey);
    ASSERT_EQ(testsupport::setRaw(storetest::kMachine, kProductKey, "HomeDir",
                                  platform::regtype::kSz, std::string("C:\\Quillbell\\\0", 14)),
              0);
    ASSERT_EQ(testsupport::setRaw(storetest::kMachine, kProductKey, "WorkMode3",
                                  platform::regtype::kSz, std::string("POP3\0", 5)),
              0);
    EXPECT_EQ(store::readHomeDir(), "C:\\Quillbell\\");
    EXPECT_EQ(store::readWorkMode(3), "POP3");
    EXPECT_EQ(store::readWorkMode(0), "");
    store::writeVersion();
    EXPECT_FALSE(testsupport::getRaw(storetest::kUser, kProductKey, "Version"));
    const auto version = testsupport::getRaw(storetest::kMachine, kProductKey, "Version");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->bytes, std::string("1.0\0", 4));
}

class FreshRegistry : public ::testing::Test {
protected:
    testsupport::ScopedTestRegistry scope_;
};

TEST_F(FreshRegistry, GlobalsAreWrittenOnlyIntoKeysThatExist) {
    store::writeRunAtStartup(1);
    store::writeConfigured(true);
    EXPECT_FALSE(testsupport::keyExists(storetest::kUser, kProductKey));

    store::saveProfile(0, store::newConfigurationDefaults("A", "Inbox"), 1, 1);
    EXPECT_TRUE(testsupport::keyExists(storetest::kUser, "Software\\Orvane\\Quillbell\\Profiles"));
    EXPECT_EQ(store::readConfiguration(0).ConfName, "A");
}

}  // namespace
