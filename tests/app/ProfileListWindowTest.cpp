// Choosing, creating, deleting, renaming configurations in the window, read back from
// the store.

#include "WindowTest.h"

namespace apptest {
namespace {

class ProfileListWindow : public WindowTest {
protected:
    void openThree() {
        storeConfigurations({record("First", 10), record("Second", 11), record("Third", 12)});
        writeUserValue("LastID", "13");
        open();
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
    EXPECT_EQ(QApplication::focusWidget(), control("txtConfName"));
    EXPECT_EQ(userValue("LastID"), "1");
    EXPECT_EQ(userValue("ConfNumber"), "1");
    // The defaults went through the editor's controls and back unchanged, identifier 0.
    EXPECT_EQ(store::loadProfile(0).record, record("New configuration", 0));
    EXPECT_RULE_TABLE(true);
}

TEST_F(ProfileListWindow, CreatingWhileTheSecondOfThreeIsShownSavesItFirst) {
    openThree();
    chooseConfiguration(1);
    typeInto("txtWhTime", "600");
    log->writes.clear();
    click("keyNewConf");
    EXPECT_EQ(profileValue("WhTime1"), "600");
    EXPECT_EQ(profileValue("ProfileID3"), "13");
    EXPECT_EQ(userValue("LastID"), "14");
    EXPECT_EQ(userValue("ConfNumber"), "4");
    EXPECT_EQ(list()->currentIndex(), 3);
    EXPECT_EQ(list()->currentText(), "04: New configuration");
    const Entries& entries = log->writes;
    EXPECT_LT(std::find(entries.begin(), entries.end(), "set WhTime1"),
              std::find(entries.begin(), entries.end(), "set ProfileID3"));
}

TEST_F(ProfileListWindow, ChoosingSavesTheConfigurationLeftAndShowsTheChosen) {
    openThree();
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
    openThree();
    chooseConfiguration(1);
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    const auto& box = prompts->messageBoxes()[0];
    EXPECT_EQ(box.text, "WARNING! Do you really want to delete this configuration?");
    EXPECT_EQ(box.style, 36);
    EXPECT_EQ(box.title, "Quillbell");
    EXPECT_EQ(box.windowTopmost, false);
    EXPECT_TRUE(topmost());

    EXPECT_EQ(listEntries(), (std::vector<QString>{"01: First", "02: Third"}));
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(shownName(), "Third");
    EXPECT_EQ(window->lProfileID, 12);
    EXPECT_EQ(store::loadProfile(1).record, record("Third", 12));
    EXPECT_EQ(profileValue("ProfileID2"), "<missing>");
    EXPECT_EQ(userValue("ConfNumber"), "2");
    EXPECT_EQ(userValue("LastID"), "13");
    EXPECT_RULE_TABLE(true);
}

TEST_F(ProfileListWindow, AnsweringNoChangesNothingDeletingTheLastMovesNothing) {
    openThree();
    chooseConfiguration(2);
    log->writes.clear();
    prompts->queueAnswer(kAnswerNo);
    click("keyDelConf");
    EXPECT_EQ(list()->count(), 3);
    EXPECT_TRUE(log->writes.empty());
    EXPECT_TRUE(topmost());

    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    EXPECT_EQ(listEntries(), (std::vector<QString>{"01: First", "02: Second"}));
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(shownName(), "Second");
    EXPECT_EQ(profileValue("ConfName2"), "<missing>");
    EXPECT_EQ(profileValue("ConfName1"), "Second");
    for (const std::string& entry : log->writes) {
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

TEST_F(ProfileListWindow, RenamingAsYouTypeChangesOnlyTheEntryUntilTheNextSave) {
    openThree();
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

}  // namespace
}  // namespace apptest
