// Opening and closing the window: what is read, shown and written, and in which state
// the store is left.

#include <QPushButton>
#include <QScreen>

#include "WindowTest.h"
#include "support/RawRegistry.h"

namespace apptest {
namespace {

using OpeningClosing = WindowTest;

// The box shows checked; the user's unchecking is what closing stores.
TEST_F(OpeningClosing, FirstStartOfAUserWritesNothingUntilClosing) {
    log->writes.clear();
    open();
    EXPECT_EQ(control<QComboBox>("cbConfNum")->count(), 0);
    EXPECT_TRUE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    EXPECT_RULE_TABLE(false);
    EXPECT_FALSE(testsupport::keyExists(platform::kHkeyCurrentUser, "Software\\Orvane"));
    EXPECT_EQ(log->writes, Entries{});

    click("cbRunAtStartup");
    closeWindow();
    EXPECT_EQ(log->writes, (Entries{"set RunAtStartup", "set Configured", "set Version"}));
    EXPECT_TRUE(testsupport::keyExists(platform::kHkeyCurrentUser,
                                       "Software\\Orvane\\Quillbell\\Profiles"));
    EXPECT_EQ(userValue("RunAtStartup"), "0");
    EXPECT_EQ(userValue("Configured"), "-1");
    EXPECT_EQ(userValue("ConfNumber"), "<missing>");
    EXPECT_EQ(machineValue("Version"), "1.0");
}

// Without Configured the opening checks the box and stores it; once Configured is set,
// the stored choice is shown, not written while opening, and written back on closing.
TEST_F(OpeningClosing, StartsWithoutConfigurationsShowTheStoredChoiceOnceConfigured) {
    storeConfigurations({});
    writeUserValue("RunAtStartup", "0");
    open();
    EXPECT_TRUE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    EXPECT_EQ(userValue("RunAtStartup"), "1");
    closeWindow();
    EXPECT_EQ(userValue("Configured"), "-1");

    writeUserValue("RunAtStartup", "0");
    log->writes.clear();
    open();
    EXPECT_FALSE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    EXPECT_EQ(log->writes, Entries{"set ExternLang"});
    click("cbRunAtStartup");
    closeWindow();
    EXPECT_EQ(userValue("RunAtStartup"), "1");
}

TEST_F(OpeningClosing, ThreeConfigurationsOpenOnTheFirstTopmostAtTheBottomRight) {
    auto first = record("First", 5);
    first.EServType = 2;
    first.UserName = "mapi-profile";
    storeConfigurations({first, record("Second", 6), record("Third", 7)});
    writeUserValue("RunAtStartup", "0");
    log->writes.clear();
    open();
    auto* list = control<QComboBox>("cbConfNum");
    EXPECT_EQ(listEntries(), (std::vector<QString>{"01: First", "02: Second", "03: Third"}));
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(control<QLineEdit>("txtUserName")->text(), "mapi-profile");
    EXPECT_EQ(window->lProfileID, 5);
    auto* types = control<QComboBox>("cbEServType");
    ASSERT_EQ(types->count(), 4);
    EXPECT_EQ(types->itemText(0), "Exchange folder");
    EXPECT_EQ(types->itemText(3), "Internet mail (POP3)");
    EXPECT_EQ(types->currentText(), "Exchange with password");
    EXPECT_FALSE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    EXPECT_RULE_TABLE(true);
    EXPECT_EQ(window->windowTitle(), "Quillbell configuration");
    // The list's getting the focus saved the first configuration once.
    const Entries& entries = log->writes;
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "set ConfName0"), 1);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "set ConfName1"), 0);
    EXPECT_EQ(entries.front(), "set ExternLang");

    EXPECT_TRUE(topmost());
    // 150 and 450 twips from the right and bottom edges: 10 and 30 pixels at 96 dpi.
    ASSERT_EQ(window->screen()->logicalDotsPerInch(), 96);
    const QRect screen = window->screen()->geometry();
    const QRect frame = window->frameGeometry();
    EXPECT_EQ(frame.topLeft(),
              QPoint(screen.width() - frame.width() - 10, screen.height() - frame.height() - 30));
}

TEST_F(OpeningClosing, MissingLanguageFileStillListsAndShowsInEnglish) {
    writeLanguageFile("German.lng", "ConfigWin_Ok = \"Gut\"\r\n");
    storeConfigurations({record("First", 1), record("Second", 2)});
    writeUserValue("ExternLang", "Klingon");
    open();
    EXPECT_EQ(control<QComboBox>("cbConfNum")->count(), 2);
    EXPECT_EQ(control<QLineEdit>("txtConfName")->text(), "First");
    EXPECT_EQ(control<QPushButton>("keyOk")->text(), "OK");
    EXPECT_EQ(control<QComboBox>("cbExternLang")->currentIndex(), 0);
    EXPECT_TRUE(prompts->messageBoxes().empty());
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "");
}

TEST_F(OpeningClosing, ClosingWithTheSecondOfThreeWritesOnlyItAndTheGlobals) {
    storeConfigurations({record("First", 1), record("Second", 2), record("Third", 3)});
    open();
    chooseConfiguration(1);
    typeInto("txtUserName", "changed");
    log->writes.clear();
    closeWindow();
    Entries expected = {"set ExternLang", "set RunAtStartup", "set ConfNumber"};
    for (const char* field :
         {"ProfileID", "ConfName", "EServType", "UserName", "UserPassword", "INetServer",
          "INetPort", "ExFolder", "ExFolderID", "EClient", "WhTime", "Alarm", "SoundOptionA",
          "SoundOptionB", "WavName", "PopupWin", "RunEClient", "WaitEClient", "ProfileEnabled"}) {
        expected.push_back(std::string("set ") + field + "1");
    }
    expected.push_back("set Version");
    EXPECT_EQ(log->writes, expected);
    EXPECT_EQ(userValue("ConfNumber"), "3");
    EXPECT_EQ(profileValue("UserName1"), "changed");
}

TEST_F(OpeningClosing, UnlistedServerTypeIsKeptWhenSavedUnchanged) {
    auto odd = record("Odd", 1);
    odd.EServType = 7;
    storeConfigurations({odd});
    open();
    EXPECT_EQ(control<QComboBox>("cbEServType")->currentIndex(), -1);
    EXPECT_RULE_TABLE(true);
    closeWindow();
    EXPECT_EQ(profileValue("EServType0"), "7");
}

// Opening and closing without an edit writes every value back as it was read; what the
// user changes is written in the program's form.
TEST_F(OpeningClosing, UneditedValuesAreWrittenBackAsRead) {
    storeConfigurations({record("Odd", 3)});
    const std::vector<std::pair<std::string, std::string>> odd = {
        {"ProfileID0", "abc"},  {"ProfileEnabled0", "yes"},
        {"Alarm0", "2"},        {"RunEClient0", "-1"},
        {"WhTime0", "abc"},     {"UserName0", "u\x01v"},
        {"INetPort0", " 995 "}, {"EClient0", std::string(40000, 'p')}};
    for (const auto& [name, text] : odd) {
        writeProfileValue(name, text);
    }
    writeUserValue("RunAtStartup", "5");
    open();
    closeWindow();
    for (const auto& [name, text] : odd) {
        EXPECT_TRUE(profileValue(name) == text) << name;
    }
    EXPECT_EQ(userValue("RunAtStartup"), "5");

    writeProfileValue("ProfileEnabled0", "-1");
    open();
    click("cbAlarm");
    typeInto("txtEClient", "client.exe");
    closeWindow();
    EXPECT_EQ(profileValue("Alarm0"), "0");
    EXPECT_TRUE(profileValue("EClient0") == "client.exe");
    EXPECT_EQ(profileValue("RunEClient0"), "-1");
}

}  // namespace
}  // namespace apptest
