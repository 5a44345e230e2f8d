// The field rules as the user meets them in the window: every server type with the alarm
// and sound options and the two reactions, paused configurations, and the wait warning.

#include <QLabel>

#include "WindowTest.h"

namespace apptest {
namespace {

class FieldRulesWindow : public WindowTest {
protected:
    void SetUp() override {
        storeConfigurations({record("Office", 0)});
        open();
    }
};

// Clicking the option already chosen keeps it; alarm off and on again with the speaker
// chosen leaves the audio file disabled; each reaction disables the other. The account
// name typed for type 3 stays through the type changes; only its label changes.
TEST_F(FieldRulesWindow, EveryServerTypeWithEveryAlarmAndReactionChoice) {
    for (int type : {3, 0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "server type " << type);
        chooseServerType(type);
        if (type == 3) {
            typeInto("txtUserName", "jane");
        }
        EXPECT_EQ(control<QLineEdit>("txtUserName")->text(), "jane");
        EXPECT_EQ(control<QLabel>("lblUserName")->text().toStdString(),
                  type == 3 ? "Name:" : "MS Exchange profile name: ");
        EXPECT_RULE_TABLE(true);
        for (int soundCard = 0; soundCard <= 1; ++soundCard) {
            if (!control<QCheckBox>("cbAlarm")->isChecked()) {
                click("cbAlarm");
            }
            click(option(soundCard));
            EXPECT_TRUE(option(soundCard)->isChecked());
            EXPECT_FALSE(option(1 - soundCard)->isChecked());
            for (const char* box : {"cbAlarm", "cbAlarm", "cbPopupWin", "cbPopupWin",
                                    "cbRunEClient", "cbRunEClient"}) {
                click(box);
                EXPECT_RULE_TABLE(true);
            }
        }
    }
}

TEST_F(FieldRulesWindow, PausedConfigurationShowsEverythingDisabledAndIsStoredSo) {
    chooseServerType(3);
    click("cbPopupWin");
    click("keyStopConfig");
    EXPECT_RULE_TABLE(false);
    // The list's focus saves the pause; leaving and coming back shows it again.
    click("keyNewConf");
    chooseConfiguration(0);
    EXPECT_EQ(profileValue("ProfileEnabled0"), "0");
    EXPECT_RULE_TABLE(false);
    click("keyStopConfig");
    EXPECT_RULE_TABLE(true);
    EXPECT_FALSE(control("cbRunEClient")->isEnabled());
    EXPECT_FALSE(control("keyExFolder")->isEnabled());
}

// Values set by loading run the same reactions as the user's clicks.
TEST_F(FieldRulesWindow, LoadingRestoresTheTableForEveryStoredCombination) {
    std::vector<store::Configuration> records;
    for (int i = 0; i < 16; ++i) {
        store::Configuration r = record("C" + std::to_string(i), i);
        r.EServType = static_cast<std::int16_t>(i % 4);
        r.Alarm = (i / 4) % 2;
        r.SoundOptionA = (i / 8) % 2 == 0;
        r.SoundOptionB = !r.SoundOptionA;
        r.PopupWin = i % 3 == 0;
        r.RunEClient = i % 5 == 0;
        r.ProfileEnabled = i % 7 != 3;
        records.push_back(r);
    }
    window.reset();
    storeConfigurations(records);
    open();
    for (int i : {5, 0, 3, 12, 15, 10, 1, 6, 9, 14, 2, 7, 11, 4, 13, 8}) {
        SCOPED_TRACE(testing::Message() << "configuration " << i);
        chooseConfiguration(i);
        EXPECT_EQ(control<QComboBox>("cbEServType")->currentIndex(), i % 4);
        EXPECT_RULE_TABLE(records[i].ProfileEnabled);
    }
}

class WaitWarning : public WindowTest {
protected:
    void SetUp() override {
        store::Configuration waiting = record("Waits", 0);
        waiting.WaitEClient = 1;
        store::Configuration other = waiting;
        other.ConfName = "Also waits";
        other.ProfileID = 1;
        storeConfigurations({waiting, other, record("Plain", 2), record("Plain too", 3)});
        open();
    }
    QCheckBox* waitBox() const { return control<QCheckBox>("cbWaitEClient"); }
};

TEST_F(WaitWarning, UserCheckWarnsWithTheWindowLoweredAndNoUnchecks) {
    chooseConfiguration(2);
    prompts->queueAnswer(kAnswerYes);
    click(waitBox());
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    const auto& box = prompts->messageBoxes()[0];
    EXPECT_EQ(box.title, "WARNING!");
    EXPECT_EQ(box.style, 52);
    EXPECT_EQ(box.text,
              "In case of activation of this menu item after the launch of external e-mail "
              "client application, Quillbell will wait for its completion. You CANNOT check "
              "mailboxes while the external e-mail client application is active!\r\n\r\n"
              "Continue program operation in this mode?");
    EXPECT_EQ(box.windowTopmost, false);
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(waitBox()->isChecked());

    click(waitBox());  // unchecking never warns
    prompts->queueAnswer(kAnswerNo);
    click(waitBox());
    EXPECT_FALSE(waitBox()->isChecked());
    EXPECT_EQ(prompts->messageBoxes().size(), 2u);
    EXPECT_TRUE(topmost());
}

TEST_F(WaitWarning, NoWarningWhileLoadingOrMovingConfigurations) {
    chooseConfiguration(2);
    chooseConfiguration(0);  // stored on: loading checks the box
    EXPECT_TRUE(waitBox()->isChecked());
    chooseConfiguration(3);
    chooseConfiguration(1);
    // Deleting the first moves both waiting configurations and shows one of them.
    chooseConfiguration(0);
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);  // only the delete question
    EXPECT_EQ(prompts->messageBoxes()[0].style, 36);
    EXPECT_TRUE(waitBox()->isChecked());
    EXPECT_EQ(profileValue("WaitEClient0"), "1");
    EXPECT_EQ(profileValue("ConfName0"), "Also waits");
}

TEST_F(WaitWarning, UserCheckAfterSwitchingBetweenEqualSettingsStillWarns) {
    // Both stored on: the box does not change while switching.
    chooseConfiguration(1);
    chooseConfiguration(0);
    click(waitBox());
    EXPECT_TRUE(prompts->messageBoxes().empty());
    prompts->queueAnswer(kAnswerYes);
    click(waitBox());
    EXPECT_EQ(prompts->messageBoxes().size(), 1u);
    // Both stored off.
    chooseConfiguration(2);
    chooseConfiguration(3);
    prompts->queueAnswer(kAnswerYes);
    click(waitBox());
    EXPECT_EQ(prompts->messageBoxes().size(), 2u);
}

}  // namespace
}  // namespace apptest
