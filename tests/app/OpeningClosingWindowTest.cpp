// Opening and closing the window: what is read, shown and written, and in which state
// the store is left.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "WindowTest.h"
#include "WriteLog.h"
#include "platform/WindowPlacement.h"
#include "platform/qt/WindowTopmost.h"
#include "registry/modRegistryAccess.h"
#include "support/RawRegistry.h"

namespace apptest {
namespace {

using Entries = std::vector<std::string>;

class OpeningClosing : public WindowTest {
protected:
    void SetUp() override { installMachineValues(); }
    void writeUser(const std::string& name, const std::string& text) {
        modRegistryAccess::WriteRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                         "Software\\Orvane\\Quillbell", name, text,
                                         modRegistryAccess::kRegSz);
    }
    bool userKeyExists() const {
        return testsupport::keyExists(platform::kHkeyCurrentUser, "Software\\Orvane");
    }
};

TEST_F(OpeningClosing, FirstStartOfAUserWritesNothingUntilClosing) {
    log->clear();
    open();
    EXPECT_EQ(control<QComboBox>("cbConfNum")->count(), 0);
    EXPECT_TRUE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    EXPECT_RULE_TABLE(false);
    EXPECT_FALSE(userKeyExists());
    EXPECT_EQ(log->entries(), Entries{});

    closeWindow();
    EXPECT_EQ(log->entries(), (Entries{"set RunAtStartup", "set Configured", "set Version"}));
    EXPECT_TRUE(testsupport::keyExists(platform::kHkeyCurrentUser,
                                       "Software\\Orvane\\Quillbell\\Profiles"));
    EXPECT_EQ(userValue("RunAtStartup"), "1");
    EXPECT_EQ(userValue("Configured"), "-1");
    EXPECT_EQ(machineValue("Version"), "1.0");
}

TEST_F(OpeningClosing, FirstStartWithTheBoxUncheckedStoresUnchecked) {
    open();
    click("cbRunAtStartup");
    closeWindow();
    EXPECT_EQ(userValue("RunAtStartup"), "0");
    EXPECT_EQ(userValue("ConfNumber"), "<missing>");
}

TEST_F(OpeningClosing, LaterStartWithoutConfigurationsKeepsTheStoredChoice) {
    storeConfigurations({});
    writeUser("Configured", "-1");
    writeUser("RunAtStartup", "0");
    log->clear();
    open();
    EXPECT_FALSE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    for (const std::string& entry : log->entries()) {
        EXPECT_NE(entry, "set RunAtStartup");
    }
    click("cbRunAtStartup");
    closeWindow();
    EXPECT_EQ(userValue("RunAtStartup"), "1");
}

TEST_F(OpeningClosing, StartWithoutConfigurationsNorConfiguredChecksTheBoxAndStoresIt) {
    storeConfigurations({});
    writeUser("RunAtStartup", "0");
    open();
    EXPECT_TRUE(control<QCheckBox>("cbRunAtStartup")->isChecked());
    EXPECT_EQ(userValue("RunAtStartup"), "1");
}

TEST_F(OpeningClosing, ThreeConfigurationsOpenOnTheFirstWithItsServerType) {
    auto first = record("First", 5);
    first.EServType = 2;
    first.UserName = "mapi-profile";
    storeConfigurations({first, record("Second", 6), record("Third", 7)});
    writeUser("RunAtStartup", "0");
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
    // Every text was put on before the window was shown.
    EXPECT_EQ(window->windowTitle(), "Quillbell configuration");
    EXPECT_EQ(control<QPushButton>("keyOk")->text(), "OK");
    EXPECT_EQ(control<QLabel>("lblWhTime")->text(), "Mail box check frequency (in seconds):");
}

TEST_F(OpeningClosing, OpeningSavesTheFirstConfigurationOnceAsTheListGetsTheFocus) {
    storeConfigurations({record("First", 5), record("Second", 6)});
    log->clear();
    open();
    const auto& entries = log->entries();
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "set ConfName0"), 1);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "set ConfName1"), 0);
    EXPECT_EQ(entries.front(), "set ExternLang");
}

TEST_F(OpeningClosing, WindowIsTopmostAtTheBottomRight) {
    open();
    EXPECT_TRUE(platform::isWindowTopmost(*window));
    QScreen* screen = window->screen();
    const QRect frame = window->frameGeometry();
    const auto origin = platform::bottomRightOriginPixels(
        screen->geometry().width(), screen->geometry().height(), frame.width(), frame.height(),
        screen->logicalDotsPerInch());
    EXPECT_EQ(frame.left(), origin.left);
    EXPECT_EQ(frame.top(), origin.top);
}

TEST_F(OpeningClosing, MissingLanguageFileStillListsAndShowsInEnglish) {
    writeLanguageFile("German.lng", "ConfigWin_Ok = \"Gut\"\r\n");
    storeConfigurations({record("First", 1), record("Second", 2)});
    writeUser("ExternLang", "Klingon");
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
    log->clear();
    closeWindow();
    Entries expected = {"set ExternLang", "set RunAtStartup", "set ConfNumber"};
    for (const char* field :
         {"ProfileID", "ConfName", "EServType", "UserName", "UserPassword", "INetServer",
          "INetPort", "ExFolder", "ExFolderID", "EClient", "WhTime", "Alarm", "SoundOptionA",
          "SoundOptionB", "WavName", "PopupWin", "RunEClient", "WaitEClient", "ProfileEnabled"}) {
        expected.push_back(std::string("set ") + field + "1");
    }
    expected.push_back("set Version");
    EXPECT_EQ(log->entries(), expected);
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

}  // namespace
}  // namespace apptest
