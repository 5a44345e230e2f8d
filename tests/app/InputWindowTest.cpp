// Typed input, the pickers, the play button, the Esc key and the controls' kinds.

#include <QFocusEvent>

#include "WindowTest.h"

namespace apptest {
namespace {

class InputWindow : public WindowTest {
protected:
    void SetUp() override {
        storeConfigurations({record("Office", 0), record("Home", 1)});
        open();
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
};

TEST_F(InputWindow, CheckFrequencyOnLeavingTheFieldByTab) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"10", "30"},   {"-5", "30"},     {"30", "30"},   {"abc", "30"},
        {"", "30"},     {"40000", "30"},  {"30.5", "30"}, {"31", "31"},
        {"300", "300"}, {"30.6", "30.6"}, {" 45", " 45"}};
    for (const auto& [typed, expected] : cases) {
        typeInto("txtWhTime", typed);
        pressKey(field("txtWhTime"), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), field("txtWhTime"));
        EXPECT_EQ(field("txtWhTime")->text(), expected) << '"' << typed << '"';
    }
}

// A click on a button takes the focus and checks the field; closing by OK or Esc, where
// the focus may not move, saves a checked text too.
TEST_F(InputWindow, CheckFrequencyHoweverTheFieldIsLeft) {
    typeInto("txtWhTime", "7");
    click("keyNewConf");
    EXPECT_EQ(profileValue("WhTime0"), "30");
    for (const bool byEsc : {false, true}) {
        SCOPED_TRACE(byEsc ? "Esc" : "OK");
        open();
        typeInto("txtUserName", byEsc ? "by esc" : "by ok");
        typeInto("txtWhTime", "12");
        if (byEsc) {
            pressKey(field("txtWhTime"), Qt::Key_Escape);
        } else {
            click("keyOk");
        }
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(profileValue("UserName0"), byEsc ? "by esc" : "by ok");
        EXPECT_EQ(profileValue("WhTime0"), "30");
    }
}

// Closed from the task bar while another program is active: the check is still owed.
TEST_F(InputWindow, SwitchingToAnotherWindowDefersTheFrequencyCheckToClosing) {
    typeInto("txtWhTime", "abc");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(field("txtWhTime")->text(), "abc");
    closeWindow();
    EXPECT_EQ(profileValue("WhTime0"), "30");
}

TEST_F(InputWindow, OtherFieldsAndKeysAreLeftAsTyped) {
    chooseServerType(3);
    typeInto("txtINetPort", "pop3s");
    pressKey(field("txtINetPort"), Qt::Key_Tab);
    EXPECT_EQ(field("txtINetPort")->text(), "pop3s");
    typeInto("txtUserName", "a b");
    pressKey(field("txtUserName"), Qt::Key_Enter);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(field("txtUserName")->text(), "a b");
}

TEST_F(InputWindow, PickersCancelledKeepTheTextAndChosenPutTheFullPath) {
    struct Picker {
        const char* button;
        const char* field;
        const char* title;
        const char* filter;
    };
    click(option(1));  // the audio file needs the sound card
    for (const Picker& p :
         {Picker{"keyEClient", "txtEClient", "Please, select your E-Mail client program",
                 "Programs |*.exe;*.com|All files (*.*)|*.*"},
          Picker{"keySelectWav", "txtWavName", "Please, select audio file",
                 "Audio file |*.wav;|All files (*.*)|*.*"}}) {
        SCOPED_TRACE(p.button);
        prompts->clearShown();
        field(p.field)->setText("C:\\Old\\old.exe");
        prompts->queueFile(std::nullopt);
        click(p.button);
        EXPECT_EQ(field(p.field)->text(), "C:\\Old\\old.exe");
        EXPECT_EQ(QApplication::focusWidget(), field(p.field));
        prompts->queueFile("/home/u/chosen");
        click(p.button);
        EXPECT_EQ(field(p.field)->text(), "/home/u/chosen");
        EXPECT_EQ(QApplication::focusWidget(), field(p.field));
        prompts->queueFile(std::string());  // an empty name counts as cancelled
        click(p.button);
        EXPECT_EQ(field(p.field)->text(), "/home/u/chosen");
        ASSERT_EQ(prompts->fileDialogs().size(), 3u);
        EXPECT_EQ(prompts->fileDialogs()[0].title, p.title);
        EXPECT_EQ(prompts->fileDialogs()[0].filter, p.filter);
        EXPECT_EQ(prompts->fileDialogs()[0].windowTopmost, false);
        EXPECT_TRUE(topmost());
    }
}

// Nothing plays without the sound card, the alarm or a file name; a file that fails is
// tried four times, each attempt followed by a second.
TEST_F(InputWindow, PlayTriesFourTimesAndOnlyWithSoundCardAlarmAndFileName) {
    sound->setFallbackResult(false);
    click(option(1));
    field("txtWavName")->clear();
    click("keyPlayWav");
    field("txtWavName")->setText("a.wav");
    control<QCheckBox>("cbAlarm")->setChecked(false);
    control("keyPlayWav")->setEnabled(true);  // reach the handler's own test
    click("keyPlayWav");
    control<QCheckBox>("cbAlarm")->setChecked(true);
    click(option(0));
    control("keyPlayWav")->setEnabled(true);
    click("keyPlayWav");
    EXPECT_TRUE(sound->attempts().empty());

    click(option(1));
    field("txtWavName")->setText("/missing/bell.wav");
    const double before = clock->now;
    click("keyPlayWav");
    EXPECT_EQ(sound->attempts(), std::vector<std::string>(4, "/missing/bell.wav"));
    EXPECT_DOUBLE_EQ(clock->now - before, 4.0);
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(InputWindow, EscInEveryControlSavesLikeOk) {
    // Every control that can hold the focus, keyExFolder and cbExternLang included.
    std::vector<std::string> names;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus && !child->objectName().isEmpty() &&
            !child->objectName().startsWith("qt_")) {
            names.push_back(child->objectName().toStdString());
        }
    }
    EXPECT_GE(names.size(), 30u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        open();
        chooseConfiguration(1);
        typeInto("txtUserName", QString::fromStdString("esc." + name));
        QWidget* target = control(name.c_str());
        target->setEnabled(true);
        focus(target);
        pressKey(target, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(profileValue("UserName1"), "esc." + name);
        EXPECT_EQ(machineValue("Version"), "1.0");
    }
}

TEST_F(InputWindow, PasswordShowsAsterisksAndFolderIsReadOnly) {
    QLineEdit* password = field("txtUserPassword");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(
        password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
        '*');
    EXPECT_TRUE(field("txtExFolder")->isReadOnly());
    EXPECT_EQ(field("txtExFolder")->palette().color(QPalette::Base),
              field("txtExFolder")->palette().color(QPalette::Button));
}

TEST_F(InputWindow, TabOrderAndHelpTopicsFollowTheDesign) {
    const std::vector<std::string> order = {
        "cbConfNum",     "keyNewConf",   "keyDelConf",     "keyStopConfig", "txtConfName",
        "cbEServType",   "txtUserName",  "keySelectProf",  "keyDefProf",    "txtUserPassword",
        "txtINetServer", "txtINetPort",  "txtExFolder",    "keyExFolder",   "txtEClient",
        "keyEClient",    "txtWhTime",    "cbAlarm",        "obSoundOption", "obSoundOption",
        "txtWavName",    "keySelectWav", "keyPlayWav",     "cbPopupWin",    "cbRunEClient",
        "cbWaitEClient", "cbExternLang", "cbRunAtStartup", "keyHelp",       "keyOk"};
    const std::vector<int> topics = {21060, 21060, 21060, 21060, 21070, 21080, 21090, 21090,
                                     21090, 21100, 21110, 21120, 21130, 21140, 21150, 21150,
                                     21160, 21170, 21170, 21170, 21170, 21170, 21170, 21180,
                                     21190, 21200, 21210, 21220, 0,     0};
    std::vector<std::string> seenOrder;
    std::vector<int> seenTopics;
    for (QWidget* current = control("cbConfNum"); seenOrder.size() < order.size();
         current = current->nextInFocusChain()) {
        if (current->focusPolicy() != Qt::NoFocus && !current->objectName().isEmpty()) {
            seenOrder.push_back(current->objectName().toStdString());
            seenTopics.push_back(current->property("HelpContextID").toInt());
        }
    }
    EXPECT_EQ(seenOrder, order);
    EXPECT_EQ(seenTopics, topics);
}

}  // namespace
}  // namespace apptest
