// Choosing, creating, deleting, renaming configurations in the window, read back from
// the store.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "WindowTest.h"
#include "WriteLog.h"
#include "platform/Prompts.h"
#include "platform/qt/WindowTopmost.h"
#include "registry/modRegistryAccess.h"

namespace apptest {
namespace {

using platform::msgbox::kAnswerNo;
using platform::msgbox::kAnswerYes;

class ProfileListWindow : public WindowTest {
protected:
    void SetUp() override { installMachineValues(); }

    void storeThree() {
        storeConfigurations({record("First", 10), record("Second", 11), record("Third", 12)});
        modRegistryAccess::WriteRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                         "Software\\Orvane\\Quillbell", "LastID", "13",
                                         modRegistryAccess::kRegSz);
    }
    QComboBox* list() const { return control<QComboBox>("cbConfNum"); }
    QString shownName() const { return control<QLineEdit>("txtConfName")->text(); }
};

TEST_F(ProfileListWindow, CreatingTheFirstConfiguration) {
    open();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_RULE_TABLE(false);
    click("keyNewConf");
    EXPECT_EQ(listEntries(), std::vector<QString>{"01: New configuration"});
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("txtConfName"));
    EXPECT_EQ(profileValue("ProfileID0"), "0");
    EXPECT_EQ(userValue("LastID"), "1");
    EXPECT_EQ(userValue("ConfNumber"), "1");
    // The stored defaults of a new configuration.
    EXPECT_EQ(profileValue("ConfName0"), "New configuration");
    EXPECT_EQ(profileValue("ProfileEnabled0"), "-1");
    EXPECT_EQ(profileValue("SoundOptionA0"), "-1");
    EXPECT_EQ(profileValue("SoundOptionB0"), "0");
    EXPECT_EQ(profileValue("Alarm0"), "1");
    EXPECT_EQ(profileValue("INetPort0"), "110");
    EXPECT_EQ(profileValue("WhTime0"), "300");
    EXPECT_EQ(profileValue("ExFolder0"), "Inbox");
    EXPECT_EQ(profileValue("EClient0"), "C:\\Exchange\\EXCHNG32.EXE");
    EXPECT_EQ(profileValue("WavName0"), "C:\\WINDOWS\\MEDIA\\CHIMES.WAV");
    EXPECT_RULE_TABLE(true);
}

TEST_F(ProfileListWindow, CreatingWhileTheSecondOfThreeIsShownSavesItFirst) {
    storeThree();
    open();
    chooseConfiguration(1);
    typeInto("txtWhTime", "600");
    log->clear();
    click("keyNewConf");
    EXPECT_EQ(profileValue("WhTime1"), "600");
    EXPECT_EQ(profileValue("ProfileID3"), "13");
    EXPECT_EQ(userValue("LastID"), "14");
    EXPECT_EQ(userValue("ConfNumber"), "4");
    EXPECT_EQ(list()->currentIndex(), 3);
    EXPECT_EQ(list()->currentText(), "04: New configuration");
    // Slot 1 is written before anything of slot 3.
    const auto& entries = log->entries();
    const auto second = std::find(entries.begin(), entries.end(), "set WhTime1");
    const auto fourth = std::find(entries.begin(), entries.end(), "set ProfileID3");
    EXPECT_LT(second, fourth);
}

TEST_F(ProfileListWindow, ChoosingSavesTheConfigurationLeftAndShowsTheChosen) {
    storeThree();
    open();
    chooseServerType(3);
    typeInto("txtINetServer", "pop.example.org");
    chooseConfiguration(2);
    EXPECT_EQ(profileValue("INetServer0"), "pop.example.org");
    EXPECT_EQ(shownName(), "Third");
    EXPECT_EQ(window->lProfileID, 12);
    chooseConfiguration(0);
    EXPECT_EQ(control<QLineEdit>("txtINetServer")->text(), "pop.example.org");
}

TEST_F(ProfileListWindow, DeletingTheMiddleMovesTheLaterOneDown) {
    storeThree();
    open();
    chooseConfiguration(1);
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    EXPECT_EQ(prompts->messageBoxes()[0].text,
              "WARNING! Do you really want to delete this configuration?");
    EXPECT_EQ(prompts->messageBoxes()[0].style, 36);
    EXPECT_EQ(prompts->messageBoxes()[0].title, "Quillbell");
    EXPECT_FALSE(prompts->topmostAtBox.at(0));
    EXPECT_TRUE(platform::isWindowTopmost(*window));

    EXPECT_EQ(listEntries(), (std::vector<QString>{"01: First", "02: Third"}));
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(shownName(), "Third");
    EXPECT_EQ(window->lProfileID, 12);
    EXPECT_EQ(profileValue("ProfileID1"), "12");
    EXPECT_EQ(profileValue("ConfName1"), "Third");
    EXPECT_EQ(profileValue("ConfName2"), "<missing>");
    EXPECT_EQ(profileValue("ProfileID2"), "<missing>");
    EXPECT_EQ(userValue("ConfNumber"), "2");
    EXPECT_EQ(userValue("LastID"), "13");
    EXPECT_RULE_TABLE(true);
}

TEST_F(ProfileListWindow, DeletingTheLastMovesNothing) {
    storeThree();
    open();
    chooseConfiguration(2);
    prompts->queueAnswer(kAnswerYes);
    log->clear();
    click("keyDelConf");
    EXPECT_EQ(listEntries(), (std::vector<QString>{"01: First", "02: Second"}));
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(shownName(), "Second");
    EXPECT_EQ(profileValue("ConfName2"), "<missing>");
    EXPECT_EQ(profileValue("ConfName1"), "Second");
    for (const std::string& entry : log->entries()) {
        EXPECT_EQ(entry.find("set ConfName"), std::string::npos) << entry;
    }
}

TEST_F(ProfileListWindow, DeletingTheOnlyConfigurationEmptiesAndDisablesTheEditor) {
    storeConfigurations({record("Alone", 4)});
    open();
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(list()->currentIndex(), -1);
    EXPECT_EQ(shownName(), "");
    EXPECT_EQ(control<QLineEdit>("txtWhTime")->text(), "");
    EXPECT_EQ(userValue("ConfNumber"), "0");
    EXPECT_EQ(profileValue("ConfName0"), "<missing>");
    EXPECT_RULE_TABLE(false);
    // Nothing selected: the buttons that need a selection do nothing.
    prompts->clearShown();
    click("keyDelConf");
    click("keyStopConfig");
    EXPECT_TRUE(prompts->messageBoxes().empty());
    EXPECT_RULE_TABLE(false);
}

TEST_F(ProfileListWindow, AnsweringNoChangesNothing) {
    storeThree();
    open();
    log->clear();
    prompts->queueAnswer(kAnswerNo);
    click("keyDelConf");
    EXPECT_EQ(list()->count(), 3);
    EXPECT_TRUE(log->entries().empty());
    EXPECT_TRUE(platform::isWindowTopmost(*window));
}

TEST_F(ProfileListWindow, RenamingAsYouTypeChangesOnlyTheEntryUntilTheNextSave) {
    storeThree();
    open();
    chooseConfiguration(2);
    typeInto("txtWhTime", "900");
    typeInto("txtConfName", "Holiday");
    EXPECT_EQ(list()->currentText(), "03: Holiday");
    EXPECT_EQ(list()->currentIndex(), 2);
    // The editor was not reloaded: the unsaved frequency is still there.
    EXPECT_EQ(control<QLineEdit>("txtWhTime")->text(), "900");
    EXPECT_EQ(profileValue("ConfName2"), "Third");
    focus("cbConfNum");
    EXPECT_EQ(profileValue("ConfName2"), "Holiday");
    EXPECT_EQ(profileValue("WhTime2"), "900");
}

TEST_F(ProfileListWindow, EntriesFromTenOnHaveTwoDigitsAndMore) {
    std::vector<store::Configuration> many;
    for (int i = 0; i < 12; ++i) {
        many.push_back(record("N" + std::to_string(i), i));
    }
    storeConfigurations(many);
    open();
    EXPECT_EQ(listEntries().at(9), "10: N9");
    EXPECT_EQ(listEntries().at(11), "12: N11");
    chooseConfiguration(11);
    EXPECT_EQ(shownName(), "N11");
}

}  // namespace
}  // namespace apptest
