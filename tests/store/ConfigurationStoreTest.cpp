#include <algorithm>
#include <cctype>

#include "StoreTestFixture.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/RC4_Calc.h"

namespace {

using store::Configuration;
using storetest::kProductKey;
using storetest::Texts;

// An Internet mail account with every field set, unlike a new configuration.
// clang-format off
const Configuration kAccount{
    .ProfileID = 41, .ConfName = "Home POP3", .EServType = 3, .UserName = "anna",
    .UserPassword = "s3cr3t!", .INetServer = "pop.example.org", .INetPort = "995",
    .ExFolder = "Inbox", .ExFolderID = "00AB:00CD", .EClient = "C:\\Mail\\client.exe",
    .WhTime = "120", .Alarm = 0, .SoundOptionA = false, .SoundOptionB = true,
    .WavName = "C:\\Sounds\\ding.wav", .PopupWin = 1, .RunEClient = 1, .WaitEClient = 1,
    .ProfileEnabled = false};
// clang-format on

using ConfigurationStore = storetest::StoreTest;

TEST_F(ConfigurationStore, RecordsAreStoredInTheirFormsAndMissingValuesLoadEmpty) {
    EXPECT_EQ(store::loadProfile(3).record, Configuration{});
    EXPECT_EQ(store::loadProfile(3).runAtStartup, 0);
    plantText("ConfName3", "Only a name");
    plantText("ProfileEnabled3", "-1");
    Configuration expected;
    expected.ConfName = "Only a name";
    expected.ProfileEnabled = true;
    EXPECT_EQ(store::loadProfile(3).record, expected);

    const Configuration defaults = store::newConfigurationDefaults("New configuration", "Inbox");
    store::saveProfile(0, defaults, 0, 13);
    store::saveProfile(12, kAccount, 1, 13);
    EXPECT_EQ(storedRecord(0), (Texts{"0", "New configuration", "0", "", "", "", "110", "Inbox", "",
                                      "C:\\Exchange\\EXCHNG32.EXE", "300", "1", "-1", "0",
                                      "C:\\WINDOWS\\MEDIA\\CHIMES.WAV", "0", "0", "0", "-1"}));
    EXPECT_EQ(storedRecord(12),
              (Texts{"41", "Home POP3", "3", "anna",
                     platform::ansiCodePage().toAnsi(RC4_Calc::EncryptPassword("s3cr3t!")),
                     "pop.example.org", "995", "Inbox", "00AB:00CD", "C:\\Mail\\client.exe", "120",
                     "0", "0", "-1", "C:\\Sounds\\ding.wav", "1", "1", "1", "0"}));
    EXPECT_EQ(storedText("RunAtStartup", kProductKey), "1");
    EXPECT_EQ(storedText("ConfNumber", kProductKey), "13");
    EXPECT_FALSE(storedText("ConfName1") || storedText("ConfName2"));
    EXPECT_EQ(store::loadProfile(0).record, defaults);
    EXPECT_EQ(store::loadProfile(12).record, kAccount);
    EXPECT_EQ(store::loadProfile(12).runAtStartup, 1);
}

TEST_F(ConfigurationStore, PasswordsAreStoredAsOneEncipheredBytePerCharacter) {
    // A password byte equal to the keystream byte at its position enciphers to zero; the
    // keystream is what enciphering zero bytes gives. Pick a printable one.
    const auto stream =
        RC4_Calc::crypt(std::string(64, '\0'), RC4_Calc::keyBytes(RC4_Calc::PasswordKey));
    const std::size_t zeroAt =
        std::find_if(stream.begin(), stream.end(),
                     [](char c) { return std::isgraph(static_cast<unsigned char>(c)); }) -
        stream.begin();
    // Every byte of the code page, twice: past 256 characters the generator index wraps.
    const std::string everyByte = testsupport::bytesFrom(1);
    const Texts passwords{"secret", "", platform::ansiCodePage().fromAnsi(everyByte + everyByte),
                          std::string(zeroAt, 'x') + stream[zeroAt] + "tail"};
    for (int slot = 0; slot < 4; ++slot) {
        SCOPED_TRACE(slot);
        Configuration record = kAccount;
        record.UserPassword = passwords[slot];
        store::writeConfiguration(slot, record);
        EXPECT_EQ(store::readConfiguration(slot).UserPassword, passwords[slot]);
    }
    // On a double-byte code page the bytes that are no character on their own are escaped.
    const bool doubleByte = platform::ansiCodePage().number() == 932;
    EXPECT_EQ(storedText("UserPassword0"),
              doubleByte ? "\177EC\1778A\xba\xb9\xc7\xfd" : "\xec\x8a\xba\xb9\xc7\xfd");
    if (!doubleByte) {
        EXPECT_EQ(storedText("UserPassword2")->size(), 510u);
        EXPECT_EQ(storedText("UserPassword3")->at(zeroAt), '\0');
    }
}

TEST_F(ConfigurationStore, HandWrittenValuesAreReadLenientlyAndSavedBackInTheProgramsForms) {
    // A greyed check box (2) and a server type the window cannot show are kept; text that is
    // no number, or beyond the field's width, reads as missing; `text` nullptr: a REG_DWORD.
    // clang-format off
    const struct { const char *field, *text; std::uint32_t dword; const char* saved; } cases[] = {
        {"ProfileID", " 42 ", 0, "42"}, {"EServType", "+2", 0, "2"}, {"Alarm", "2", 0, "2"},
        {"SoundOptionA", "5", 0, "-1"}, {"SoundOptionB", "tRUE", 0, "-1"},
        {"ProfileEnabled", "99999999999999999999999", 0, "-1"},
        {"ProfileID", "abc", 0, "0"}, {"EServType", "1.5", 0, "0"}, {"PopupWin", "", 0, "0"},
        {"SoundOptionA", "yes", 0, "0"}, {"ProfileEnabled", "False", 0, "0"},
        {"ProfileID", "2147483648", 0, "0"}, {"ProfileID", "-2147483648", 0, "-2147483648"},
        {"EServType", "32768", 0, "0"}, {"EServType", "-32768", 0, "-32768"},
        {"RunEClient", "-32769", 0, "0"}, {"EServType", "7", 0, "7"},
        {"ProfileID", nullptr, 0x7FFFFFFF, "2147483647"}, {"ProfileEnabled", nullptr, 0, "0"},
        {"SoundOptionA", nullptr, 0xFFFFFFFF, "-1"}, {"PopupWin", nullptr, 0x10000, "0"},
        {"ConfName", nullptr, 12, "12"}, {"EClient", nullptr, 0xFFFFFFFE, "-2"}};
    // clang-format on
    int slot = 0;
    for (const auto& c : cases) {
        const std::string name = c.field + std::to_string(slot++);
        SCOPED_TRACE(name + " = " + (c.text ? c.text : std::to_string(c.dword)));
        c.text ? plantText(name, c.text) : plantDword(name, c.dword);
        store::writeConfiguration(slot - 1, store::readConfiguration(slot - 1));
        EXPECT_EQ(storedText(name), c.saved);
    }
    plantText("RunAtStartup", "on", kProductKey);
    EXPECT_EQ(store::loadProfile(0).runAtStartup, 0);
}

TEST_F(ConfigurationStore, GlobalValuesOfOpeningAndClosing) {
    // No language file, translated into another script and letter case.
    store::writeExternLang("Deutsch", "No");
    store::writeExternLang("\xD0\x9D\xD0\x95\xD0\xA2", "\xD0\x9D\xD0\xB5\xD1\x82");  // НЕТ, Нет
    EXPECT_EQ(storedText("ExternLang", kProductKey), "");
    store::writeExternLang("Nordic", "No");
    EXPECT_EQ(store::readExternLang(), "Nordic");

    const auto machine = platform::kHkeyLocalMachine;
    testsupport::createKey(machine, kProductKey);
    plantText("HomeDir", "C:\\Quillbell\\", kProductKey, machine);
    plantText("WorkMode3", "POP3", kProductKey, machine);
    EXPECT_EQ(store::readHomeDir(), "C:\\Quillbell\\");
    EXPECT_EQ(store::readWorkMode(3), "POP3");
    EXPECT_EQ(store::readWorkMode(0), "");
    store::writeVersion();
    EXPECT_FALSE(testsupport::getRaw(storetest::kUser, kProductKey, "Version"));
    EXPECT_EQ(storedText("Version", kProductKey, machine), "1.0");
}

TEST(FreshRegistry, GlobalsAreWrittenOnlyIntoKeysThatExist) {
    testsupport::ScopedTestRegistry scope;
    store::writeRunAtStartup(1);
    store::writeConfigured(true);
    EXPECT_FALSE(testsupport::keyExists(storetest::kUser, kProductKey));
    store::saveProfile(0, store::newConfigurationDefaults("A", "Inbox"), 1, 1);
    EXPECT_EQ(store::readConfiguration(0).ConfName, "A");
}

}  // namespace
