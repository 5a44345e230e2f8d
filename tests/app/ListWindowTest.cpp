// Opening, closing, choosing, creating, deleting, renaming: what is shown and written when.

#include "WindowTest.h"
#include "support/RawRegistry.h"

namespace apptest {
namespace {

class ListWindow : public WindowTest {
protected:
    void openThree() {
        storeConfigurations({record("First", 10), record("Second", 11), record("Third", 12)});
        writeUserValue("LastID", "13");
        open();
    }
    QComboBox* list() const { return control<QComboBox>("cbConfNum"); }
};

// Without Configured the opening checks the box and stores it.
TEST_F(ListWindow, StartsWithoutConfigurationsShowTheStoredChoiceOnceConfigured) {
    log->writes.clear();
    open();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(checked("cbRunAtStartup"));
    EXPECT_RULE_TABLE(false);
    EXPECT_FALSE(testsupport::keyExists(platform::kHkeyCurrentUser, "Software\\Orvane"));
    EXPECT_EQ(log->writes, Entries{});
    click("cbRunAtStartup");
    closeWindow();
    EXPECT_EQ(log->writes, (Entries{"set RunAtStartup", "set Configured", "set Version"}));
    EXPECT_TRUE(testsupport::keyExists(platform::kHkeyCurrentUser,
                                       "Software\\Orvane\\Quillbell\\Profiles"));
    EXPECT_EQ(userValue("RunAtStartup") + userValue("Configured") + userValue("ConfNumber"),
              "0-1<missing>");
    log->writes.clear();
    open();
    EXPECT_FALSE(checked("cbRunAtStartup"));
    EXPECT_EQ(log->writes, Entries{"set ExternLang"});
    click("cbRunAtStartup");
    closeWindow();
    EXPECT_EQ(userValue("RunAtStartup"), "1");
    writeUserValue("RunAtStartup", "0");
    writeUserValue("Configured", "0");
    open();
    EXPECT_TRUE(checked("cbRunAtStartup"));
    EXPECT_EQ(userValue("RunAtStartup"), "1");
}

TEST_F(ListWindow, ThreeConfigurationsOpenOnTheFirstTopmost) {
    storeConfigurations({record("First", 5), record("Second", 6), record("Third", 7)});
    writeUserValue("RunAtStartup", "0");
    log->writes.clear();
    open();
    EXPECT_EQ(entries("cbConfNum"), "01: First|02: Second|03: Third|");
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), list());
    EXPECT_TRUE(window->testAttribute(Qt::WA_KeyboardFocusChange)) << "focus frame shown";
    EXPECT_EQ(entries("cbEServType"),
              "Exchange folder|Exchange profile|Exchange with password|Internet mail (POP3)|");
    EXPECT_FALSE(checked("cbRunAtStartup"));
    EXPECT_EQ(std::count(log->writes.begin(), log->writes.end(), "set ConfName0"), 1);
    EXPECT_EQ(std::count(log->writes.begin(), log->writes.end(), "set ConfName1"), 0);
    EXPECT_EQ(log->writes.front(), "set ExternLang");
    EXPECT_TRUE(topmost());  // and placed by its frame: see tests/e2e/config-window.sh
}

// Odd values and an unlisted server type byte for byte: tests/e2e/config-window.sh.
TEST_F(ListWindow, UneditedValuesAreWrittenBackAsRead) {
    storeConfigurations({record("Odd", 3)});
    for (const auto& [name, value] :
         {std::pair{"EServType0", "7"}, {"Alarm0", "2"}, {"RunEClient0", "-1"}}) {
        writeText(RootHive::HKEY_CURRENT_USER, store::schema::kProfilesKey, name, value);
    }
    open();
    EXPECT_EQ(control<QComboBox>("cbEServType")->currentIndex(), -1);
    EXPECT_RULE_TABLE(true);
    click("cbAlarm");
    closeWindow();
    EXPECT_EQ(profileValue("Alarm0") + "|" + profileValue("RunEClient0"), "0|-1");
}

// Closing writes only the configuration shown and the globals.
TEST_F(ListWindow, CreatingChoosingOrClosingSavesTheConfigurationShown) {
    openThree();
    choose("cbEServType", 3);
    typeInto("txtINetServer", "pop.example.org");
    choose("cbConfNum", 1);
    EXPECT_EQ(profileValue("INetServer0"), "pop.example.org");
    typeInto("txtWhTime", "600");
    log->writes.clear();
    click("keyNewConf");
    EXPECT_EQ(profileValue("WhTime1"), "600");
    EXPECT_EQ(profileValue("ProfileID3"), "13");
    EXPECT_EQ(userValue("LastID") + userValue("ConfNumber"), "144");
    EXPECT_EQ(list()->currentText(), "04: New configuration");
    const Entries& entries = log->writes;
    EXPECT_LT(std::find(entries.begin(), entries.end(), "set WhTime1"),
              std::find(entries.begin(), entries.end(), "set ProfileID3"));
    choose("cbConfNum", 0);
    typeInto("txtUserName", "changed");
    log->writes.clear();
    closeWindow();
    // The record's own order is the store's (tests/store/SaveOrderTest.cpp).
    EXPECT_EQ(Entries(log->writes.begin(), log->writes.begin() + 4),
              (Entries{"set ExternLang", "set RunAtStartup", "set ConfNumber", "set ProfileID0"}));
    EXPECT_EQ(log->writes.size(), 23u);
    EXPECT_EQ(profileValue("UserName0"), "changed");
}

// Deleting the last one moves nothing.
TEST_F(ListWindow, DeletingAsksAndShowsTheNextOrPreviousConfiguration) {
    openThree();
    choose("cbConfNum", 1);
    log->writes.clear();
    prompts->queueAnswer(kAnswerNo);
    click("keyDelConf");
    EXPECT_EQ(list()->count(), 3);
    EXPECT_TRUE(log->writes.empty());
    EXPECT_TRUE(topmost());
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    const auto& box = prompts->messageBoxes()[0];
    EXPECT_EQ(box.text + "|" + std::to_string(box.style) + "|" + box.title,
              "WARNING! Do you really want to delete this configuration?|36|Quillbell");
    EXPECT_EQ(box.windowTopmost, false);

    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    EXPECT_EQ(entries("cbConfNum"), "01: First|02: Third|");
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(text("txtConfName"), "Third");
    EXPECT_EQ(window->lProfileID, 12);

    log->writes.clear();
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    EXPECT_EQ(entries("cbConfNum"), "01: First|");
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(text("txtConfName"), "First");
    for (const std::string& entry : log->writes) {
        EXPECT_EQ(entry.find("set ConfName"), std::string::npos) << entry;
    }
}

// The first new one's defaults go through the editor unchanged, with identifier 0.
TEST_F(ListWindow, DeletingTheOnlyAndCreatingTheFirstConfiguration) {
    storeConfigurations({record("Alone", 4)});
    open();
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(text("txtConfName") + text("txtWhTime"), "");
    EXPECT_RULE_TABLE(false);
    prompts->clearShown();
    click("keyDelConf");
    click("keyStopConfig");
    EXPECT_TRUE(prompts->messageBoxes().empty());
    click("keyNewConf");
    EXPECT_EQ(entries("cbConfNum"), "01: New configuration|");
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(store::loadProfile(0).record, record("New configuration", 0));
    EXPECT_RULE_TABLE(true);
    EXPECT_EQ(QApplication::focusWidget(), control("txtConfName"));
    QTest::keyClicks(QApplication::focusWidget(), "Work");
    EXPECT_EQ(text("txtConfName"), "Work");
}

}  // namespace
}  // namespace apptest
