// Typed input, the pickers, the play button and the Esc key.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "WindowTest.h"
#include "WriteLog.h"
#include "platform/qt/WindowTopmost.h"

namespace apptest {
namespace {

class InputWindow : public WindowTest {
protected:
    void SetUp() override {
        installMachineValues();
        storeConfigurations({record("Office", 0), record("Home", 1)});
        open();
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
    // Types into the frequency field and leaves it by the Tab key.
    QString frequencyAfterLeaving(const QString& typed) {
        typeInto("txtWhTime", typed);
        pressKey(field("txtWhTime"), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), field("txtWhTime"));
        return field("txtWhTime")->text();
    }
};

TEST_F(InputWindow, CheckFrequencyOnLeavingTheField) {
    for (const char* typed : {"10", "-5", "30", "abc", "", "40000", "30.5"}) {
        EXPECT_EQ(frequencyAfterLeaving(typed), "30") << typed;
    }
    for (const char* typed : {"31", "300", "30.6", " 45"}) {
        EXPECT_EQ(frequencyAfterLeaving(typed), typed) << typed;
    }
}

TEST_F(InputWindow, SwitchingToAnotherWindowDoesNotCheckAHalfTypedFrequency) {
    typeInto("txtWhTime", "1");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(field("txtWhTime"), &away);
    EXPECT_EQ(field("txtWhTime")->text(), "1");
}

TEST_F(InputWindow, CheckFrequencyIsAlsoCheckedWhenLeftByAClick) {
    typeInto("txtWhTime", "7");
    click("keyNewConf");
    EXPECT_EQ(profileValue("WhTime0"), "30");
}

TEST_F(InputWindow, NoOtherFieldIsValidated) {
    chooseServerType(3);
    typeInto("txtINetPort", "pop3s");
    pressKey(field("txtINetPort"), Qt::Key_Tab);
    EXPECT_EQ(field("txtINetPort")->text(), "pop3s");
}

TEST_F(InputWindow, ProgramPickerCancelledKeepsThePath) {
    field("txtEClient")->setText("C:\\Mail\\old.exe");
    prompts->queueFile(std::nullopt);
    click("keyEClient");
    EXPECT_EQ(field("txtEClient")->text(), "C:\\Mail\\old.exe");
    ASSERT_EQ(prompts->fileDialogs().size(), 1u);
    EXPECT_EQ(prompts->fileDialogs()[0].title, "Please, select your E-Mail client program");
    EXPECT_EQ(prompts->fileDialogs()[0].filter, "Programs |*.exe;*.com|All files (*.*)|*.*");
    EXPECT_EQ(QApplication::focusWidget(), field("txtEClient"));
    EXPECT_FALSE(prompts->topmostAtDialog.at(0));
    EXPECT_TRUE(platform::isWindowTopmost(*window));
}

TEST_F(InputWindow, ProgramPickerChosenPutsTheFullPath) {
    prompts->queueFile("/usr/bin/thunderbird");
    click("keyEClient");
    EXPECT_EQ(field("txtEClient")->text(), "/usr/bin/thunderbird");
    EXPECT_EQ(QApplication::focusWidget(), field("txtEClient"));
    prompts->queueFile(std::string());  // an empty name counts as cancelled
    click("keyEClient");
    EXPECT_EQ(field("txtEClient")->text(), "/usr/bin/thunderbird");
}

TEST_F(InputWindow, AudioPickerUsesItsOwnTitleAndFilter) {
    click(option(1));
    prompts->queueFile("/home/u/bell.wav");
    click("keySelectWav");
    EXPECT_EQ(field("txtWavName")->text(), "/home/u/bell.wav");
    EXPECT_EQ(QApplication::focusWidget(), field("txtWavName"));
    ASSERT_EQ(prompts->fileDialogs().size(), 1u);
    EXPECT_EQ(prompts->fileDialogs()[0].title, "Please, select audio file");
    EXPECT_EQ(prompts->fileDialogs()[0].filter, "Audio file |*.wav;|All files (*.*)|*.*");
    EXPECT_FALSE(prompts->topmostAtDialog.at(0));
    prompts->queueFile(std::nullopt);
    click("keySelectWav");
    EXPECT_EQ(field("txtWavName")->text(), "/home/u/bell.wav");
}

TEST_F(InputWindow, FourFailedPlayAttemptsEachFollowedByASecond) {
    sound->setFallbackResult(false);
    click(option(1));
    field("txtWavName")->setText("/missing/bell.wav");
    const double before = clock->now;
    click("keyPlayWav");
    EXPECT_EQ(sound->attempts(), std::vector<std::string>(4, "/missing/bell.wav"));
    EXPECT_DOUBLE_EQ(clock->now - before, 4.0);
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(InputWindow, PlayStopsAtTheFirstSuccess) {
    sound->queueResult(false);
    sound->queueResult(true);
    click(option(1));
    click("keyPlayWav");
    EXPECT_EQ(sound->attempts().size(), 2u);
    EXPECT_EQ(sound->attempts()[0], "C:\\WINDOWS\\MEDIA\\CHIMES.WAV");
}

TEST_F(InputWindow, PlayDoesNothingWithoutSoundCardAlarmOrFileName) {
    click(option(1));
    field("txtWavName")->clear();
    click("keyPlayWav");
    field("txtWavName")->setText("a.wav");
    control<QCheckBox>("cbAlarm")->setChecked(false);
    control<QWidget>("keyPlayWav")->setEnabled(true);  // reach the handler's own test
    click("keyPlayWav");
    control<QCheckBox>("cbAlarm")->setChecked(true);
    click(option(0));
    control<QWidget>("keyPlayWav")->setEnabled(true);
    click("keyPlayWav");
    EXPECT_TRUE(sound->attempts().empty());
}

TEST_F(InputWindow, EscInEveryControlSavesLikeOk) {
    // Every control that can hold the focus, keyExFolder included, closes with Esc.
    std::vector<std::string> names;
    for (QWidget* control : focusableControls()) {
        names.push_back(control->objectName().toStdString());
    }
    EXPECT_GE(names.size(), 30u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        window.reset();
        open();
        chooseConfiguration(1);
        typeInto("txtUserName", QString::fromStdString("esc." + name));
        QWidget* target = control<QWidget>(name.c_str());
        if (!target->isEnabled()) {
            target->setEnabled(true);
        }
        focus(target);
        pressKey(target, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(profileValue("UserName1"), "esc." + name);
        EXPECT_EQ(machineValue("Version"), "1.0");
    }
}

TEST_F(InputWindow, OtherKeysAreTypedNormally) {
    typeInto("txtUserName", "a b");
    pressKey(field("txtUserName"), Qt::Key_Enter);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(field("txtUserName")->text(), "a b");
}

TEST_F(InputWindow, OkAndEscSaveTheSameValues) {
    typeInto("txtUserName", "by ok");
    typeInto("txtWhTime", "12");
    click("keyOk");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(profileValue("UserName0"), "by ok");
    EXPECT_EQ(profileValue("WhTime0"), "30");

    window.reset();
    open();
    typeInto("txtUserName", "by esc");
    typeInto("txtWhTime", "12");
    pressKey(field("txtWhTime"), Qt::Key_Escape);
    EXPECT_EQ(profileValue("UserName0"), "by esc");
    EXPECT_EQ(profileValue("WhTime0"), "30");
}

TEST_F(InputWindow, PasswordShowsAsterisksAndFolderIsReadOnly) {
    EXPECT_EQ(field("txtUserPassword")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(
        field("txtUserPassword")
            ->style()
            ->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field("txtUserPassword")),
        '*');
    EXPECT_TRUE(field("txtExFolder")->isReadOnly());
    EXPECT_EQ(field("txtExFolder")->palette().color(QPalette::Base),
              field("txtExFolder")->palette().color(QPalette::Button));
}

TEST_F(InputWindow, TabOrderFollowsTheDesign) {
    const std::vector<std::string> expected = {
        "cbConfNum",     "keyNewConf",   "keyDelConf",     "keyStopConfig", "txtConfName",
        "cbEServType",   "txtUserName",  "keySelectProf",  "keyDefProf",    "txtUserPassword",
        "txtINetServer", "txtINetPort",  "txtExFolder",    "keyExFolder",   "txtEClient",
        "keyEClient",    "txtWhTime",    "cbAlarm",        "obSoundOption", "obSoundOption",
        "txtWavName",    "keySelectWav", "keyPlayWav",     "cbPopupWin",    "cbRunEClient",
        "cbWaitEClient", "cbExternLang", "cbRunAtStartup", "keyHelp",       "keyOk"};
    QWidget* current = control<QWidget>("cbConfNum");
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        seen.push_back(current->objectName().toStdString());
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || current->objectName().isEmpty()) {
            current = current->nextInFocusChain();
        }
    }
    EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace apptest
