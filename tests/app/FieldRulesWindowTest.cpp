// The field rules as the user meets them in the window: every server type with the alarm
// and sound options and the two reactions, paused configurations, and the wait warning.

#include <QLabel>
#include <tuple>

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

// Every shown field holds the stored value after loading, and loading runs the same
// reactions as the user's clicks. Each record differs from the one shown before it in
// every field.
TEST_F(FieldRulesWindow, LoadingShowsEveryStoredFieldAndItsRules) {
    struct Shown {
        const char *name, *user, *password, *server, *port, *folder, *client, *time, *wav;
        std::int16_t type, alarm, popup, run, wait;
        bool soundCard, enabled;
    };
    const Shown shown[] = {
        {"A", "ua", "pa", "sa", "1", "fa", "ca", "10", "wa", 3, 1, 1, 0, 1, true, true},
        {"B", "ub", "pb", "sb", "2", "fb", "cb", "20", "wb", 0, 0, 0, 1, 0, false, false},
        {"C", "uc", "pc", "sc", "3", "fc", "cc", "30", "wc", 2, 1, 0, 0, 1, true, true},
        {"D", "ud", "pd", "sd", "4", "fd", "cd", "40", "wd", 1, 0, 1, 0, 0, false, true},
    };
    std::vector<store::Configuration> records;
    for (const Shown& s : shown) {
        store::Configuration r;
        r.ProfileID = static_cast<std::int32_t>(records.size()) + 1;
        std::tie(r.ConfName, r.UserName, r.UserPassword, r.INetServer, r.INetPort, r.ExFolder,
                 r.EClient, r.WhTime, r.WavName) =
            std::tie(s.name, s.user, s.password, s.server, s.port, s.folder, s.client, s.time,
                     s.wav);
        std::tie(r.EServType, r.Alarm, r.PopupWin, r.RunEClient, r.WaitEClient) =
            std::tie(s.type, s.alarm, s.popup, s.run, s.wait);
        r.SoundOptionA = !s.soundCard;
        r.SoundOptionB = s.soundCard;
        r.ProfileEnabled = s.enabled;
        records.push_back(r);
    }
    window.reset();
    storeConfigurations(records);
    open();
    for (int i : {1, 0, 2, 3, 0}) {
        const Shown& s = shown[i];
        SCOPED_TRACE(s.name);
        chooseConfiguration(i);
        const auto text = [&](const char* name) {
            return control<QLineEdit>(name)->text().toStdString();
        };
        EXPECT_EQ(text("txtConfName"), s.name);
        EXPECT_EQ(text("txtUserName"), s.user);
        EXPECT_EQ(text("txtUserPassword"), s.password);
        EXPECT_EQ(text("txtINetServer"), s.server);
        EXPECT_EQ(text("txtINetPort"), s.port);
        EXPECT_EQ(text("txtExFolder"), s.folder);
        EXPECT_EQ(text("txtEClient"), s.client);
        EXPECT_EQ(text("txtWhTime"), s.time);
        EXPECT_EQ(text("txtWavName"), s.wav);
        EXPECT_EQ(control<QComboBox>("cbEServType")->currentIndex(), s.type);
        EXPECT_EQ(control<QCheckBox>("cbAlarm")->isChecked(), s.alarm == 1);
        EXPECT_EQ(control<QCheckBox>("cbPopupWin")->isChecked(), s.popup == 1);
        EXPECT_EQ(control<QCheckBox>("cbRunEClient")->isChecked(), s.run == 1);
        EXPECT_EQ(control<QCheckBox>("cbWaitEClient")->isChecked(), s.wait == 1);
        EXPECT_EQ(option(0)->isChecked(), !s.soundCard);
        EXPECT_EQ(option(1)->isChecked(), s.soundCard);
        EXPECT_RULE_TABLE(s.enabled);
    }
    EXPECT_TRUE(prompts->messageBoxes().empty());
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

// Loading sets the box without a warning, also between two configurations stored alike;
// the user's next check still warns.
TEST_F(WaitWarning, NoWarningWhileLoadingOrMovingConfigurations) {
    for (const bool storedOn : {true, false}) {
        SCOPED_TRACE(storedOn ? "both stored on" : "both stored off");
        chooseConfiguration(storedOn ? 1 : 2);
        chooseConfiguration(storedOn ? 0 : 3);
        if (storedOn) {
            click(waitBox());  // unchecking never warns
        }
        prompts->queueAnswer(kAnswerYes);
        click(waitBox());
        EXPECT_EQ(prompts->messageBoxes().size(), 1u);
        prompts->clearShown();
    }
    click(waitBox());  // the last one back to off
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

}  // namespace
}  // namespace apptest
