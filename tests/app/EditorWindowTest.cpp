// The editor as the user meets it: rules, loading, warnings, input, pickers, keys and kinds.

#include <QAbstractItemView>
#include <QScreen>
#include <QToolButton>
#include <cmath>
#include <iterator>
#include <tuple>

#include "WindowTest.h"

namespace apptest {
namespace {

class EditorWindow : public WindowTest {
protected:
    void SetUp() override {
        storeConfigurations({record("Office", 0), record("Home", 1)});
        open();
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
};

// A chosen option stays when clicked; the account name stays through type changes, not its label.
TEST_F(EditorWindow, EveryServerTypeWithEveryAlarmAndReactionChoice) {
    for (int type : {3, 0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "server type " << type);
        choose("cbEServType", type);
        if (type == 3) {
            typeInto("txtUserName", "jane");
        }
        EXPECT_EQ(text("txtUserName"), "jane");
        EXPECT_EQ(text("lblUserName"), type == 3 ? "Name:" : "MS Exchange profile name: ");
        EXPECT_RULE_TABLE(true);
        for (int soundCard = 0; soundCard <= 1; ++soundCard) {
            click(option(soundCard));
            EXPECT_TRUE(option(soundCard)->isChecked() && !option(1 - soundCard)->isChecked());
            for (const char* box : {"cbAlarm", "cbAlarm", "cbPopupWin", "cbPopupWin",
                                    "cbRunEClient", "cbRunEClient"}) {
                click(box);
                EXPECT_RULE_TABLE(true);
            }
        }
    }
}

// The pause button shows the state of the configuration shown; the list's focus saves it.
TEST_F(EditorWindow, PauseIsShownOnTheButtonAndStored) {
    auto* pause = control<QToolButton>("keyStopConfig");
    choose("cbEServType", 3);
    click("cbPopupWin");
    click(pause);
    EXPECT_TRUE(pause->isChecked());
    EXPECT_RULE_TABLE(false);
    click("keyNewConf");
    EXPECT_FALSE(pause->isChecked());
    choose("cbConfNum", 0);
    EXPECT_EQ(profileValue("ProfileEnabled0"), "0");
    click(pause);
    EXPECT_RULE_TABLE(true);
}

// Each record differs in every field from the one shown before it.
TEST_F(EditorWindow, LoadingShowsEveryStoredFieldAndItsRules) {
    // clang-format off
    const store::Configuration stored[] = {
        {1, "A", 3, "ua", "pa", "sa", "1", "fa", "", "ca", "10", 1, false, true, "wa", 1, 0, 1, true},
        {2, "B", 0, "ub", "pb", "sb", "2", "fb", "", "cb", "20", 0, true, false, "wb", 0, 1, 0, false},
        {3, "C", 2, "uc", "pc", "sc", "3", "fc", "", "cc", "30", 1, false, true, "wc", 0, 0, 1, true},
        {4, "Dé", 1, "ud", "pd", "sd", "4", "fd", "", "cd", "40", 0, true, false, "wd", 1, 0, 0, true},
    };
    // clang-format on
    storeConfigurations({std::begin(stored), std::end(stored)});
    open();
    for (int i : {1, 0, 2, 3, 0}) {
        const store::Configuration& s = stored[i];
        SCOPED_TRACE(s.ConfName);
        choose("cbConfNum", i);
        EXPECT_EQ(text("txtConfName"), s.ConfName);
        EXPECT_EQ(text("txtUserName"), s.UserName);
        EXPECT_EQ(text("txtUserPassword"), s.UserPassword);
        EXPECT_EQ(text("txtINetServer"), s.INetServer);
        EXPECT_EQ(text("txtINetPort"), s.INetPort);
        EXPECT_EQ(text("txtExFolder"), s.ExFolder);
        EXPECT_EQ(text("txtEClient"), s.EClient);
        EXPECT_EQ(text("txtWhTime"), s.WhTime);
        EXPECT_EQ(text("txtWavName"), s.WavName);
        EXPECT_EQ(control<QComboBox>("cbEServType")->currentIndex(), s.EServType);
        EXPECT_EQ(checked("cbAlarm"), s.Alarm == 1);
        EXPECT_EQ(checked("cbPopupWin"), s.PopupWin == 1);
        EXPECT_EQ(checked("cbRunEClient"), s.RunEClient == 1);
        EXPECT_EQ(checked("cbWaitEClient"), s.WaitEClient == 1);
        EXPECT_EQ(option(0)->isChecked(), s.SoundOptionA);
        EXPECT_EQ(option(1)->isChecked(), s.SoundOptionB);
        EXPECT_EQ(control<QToolButton>("keyStopConfig")->isChecked(), !s.ProfileEnabled);
        EXPECT_RULE_TABLE(s.ProfileEnabled);
    }
}

class WaitWarning : public WindowTest {
protected:
    void SetUp() override {
        store::Configuration waiting = record("Waits", 0), other = record("Also waits", 1);
        waiting.WaitEClient = other.WaitEClient = 1;
        storeConfigurations({waiting, other, record("Plain", 2), record("Plain too", 3)});
        open();
    }
    QCheckBox* waitBox() const { return control<QCheckBox>("cbWaitEClient"); }
};

// Not loading warns, nor switching between records stored alike, nor a deletion moving them.
TEST_F(WaitWarning, OnlyTheUsersCheckWarns) {
    choose("cbConfNum", 2);
    prompts->queueAnswer(kAnswerYes);
    click(waitBox());
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    const auto box = prompts->messageBoxes()[0];
    EXPECT_EQ(
        box.title + "|" + std::to_string(box.style) + "|" + box.text,
        "WARNING!|52|In case of activation of this menu item after the launch of external e-mail "
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
    prompts->clearShown();
    for (const bool storedOn : {true, false}) {
        SCOPED_TRACE(storedOn ? "both stored on" : "both stored off");
        choose("cbConfNum", storedOn ? 1 : 2);
        choose("cbConfNum", storedOn ? 0 : 3);
        if (storedOn) {
            click(waitBox());
        }
        prompts->queueAnswer(kAnswerYes);
        click(waitBox());
        EXPECT_EQ(prompts->messageBoxes().size(), 1u);
        prompts->clearShown();
    }
    click(waitBox());
    choose("cbConfNum", 2);
    choose("cbConfNum", 0);  // stored on: loading it does not warn
    choose("cbConfNum", 3);
    choose("cbConfNum", 1);
    choose("cbConfNum", 0);
    prompts->queueAnswer(kAnswerYes);
    click("keyDelConf");
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);  // only the delete question
    EXPECT_TRUE(waitBox()->isChecked());
    EXPECT_EQ(profileValue("WaitEClient0"), "1");
}

// Switching to another program does not check the frequency.
TEST_F(EditorWindow, CheckFrequencyWheneverTheFieldIsLeft) {
    typeInto("txtWhTime", "abc");  // which texts are rejected: tests/editor
    pressKey("txtWhTime", Qt::Key_Tab);
    EXPECT_EQ(text("txtWhTime"), "30");
    choose("cbEServType", 3);
    typeInto("txtINetPort", "pop3s");
    pressKey("txtINetPort", Qt::Key_Tab);
    EXPECT_EQ(text("txtINetPort"), "pop3s");
    typeInto("txtWhTime", "7");
    click("keyNewConf");
    EXPECT_EQ(profileValue("WhTime0"), "30");
    for (const char* closing : {"OK", "task bar"}) {
        SCOPED_TRACE(closing);
        open();
        typeInto("txtUserName", closing);
        typeInto("txtWhTime", "12");
        if (closing[0] == 'O') {
            click("keyOk");
        } else {
            QWidget other;
            other.show();
            other.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
            EXPECT_EQ(text("txtWhTime"), "12");
            closeWindow();
        }
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(profileValue("UserName0"), closing);
        EXPECT_EQ(profileValue("WhTime0"), "30");
    }
}

// Both pickers share one handler: only the first is also cancelled, and with an empty name.
TEST_F(EditorWindow, PickersCancelledKeepTheTextAndChosenPutTheFullPath) {
    click(option(1));  // the audio file needs the sound card
    for (const auto& [button, name, title, filter] :
         {std::tuple{"keyEClient", "txtEClient", "Please, select your E-Mail client program",
                     "Programs |*.exe;*.com|All files (*.*)|*.*"},
          std::tuple{"keySelectWav", "txtWavName", "Please, select audio file",
                     "Audio file |*.wav;|All files (*.*)|*.*"}}) {
        SCOPED_TRACE(button);
        prompts->clearShown();
        prompts->queueFile("/home/u/chosen");
        click(button);
        EXPECT_EQ(text(name), "/home/u/chosen");
        EXPECT_EQ(QApplication::focusWidget(), field(name));
        ASSERT_EQ(prompts->fileDialogs().size(), 1u);
        EXPECT_EQ(prompts->fileDialogs()[0].title + "|" + prompts->fileDialogs()[0].filter,
                  std::string(title) + "|" + filter);
        EXPECT_EQ(prompts->fileDialogs()[0].windowTopmost, false);
        EXPECT_TRUE(topmost());
    }
    for (const std::optional<std::string>& cancelled : {std::optional<std::string>(), {""}}) {
        prompts->queueFile(cancelled);
        click("keyEClient");
        EXPECT_EQ(text("txtEClient"), "/home/u/chosen");
    }
}

// Nothing plays without the sound card, the alarm or a file name.
TEST_F(EditorWindow, PlayOnlyWithSoundCardAlarmAndFileName) {
    sound->setFallbackResult(false);
    const auto play = [&](bool soundCard, bool alarm, const char* file) {
        control<QCheckBox>("cbAlarm")->setChecked(true);
        click(option(soundCard ? 1 : 0));
        field("txtWavName")->setText(file);
        control<QCheckBox>("cbAlarm")->setChecked(alarm);
        control("keyPlayWav")->setEnabled(true);  // reach the handler's own test
        click("keyPlayWav");
    };
    play(true, true, "");
    play(true, false, "a.wav");
    play(false, true, "a.wav");
    EXPECT_TRUE(sound->attempts().empty());
    play(true, true, "/missing/bell.wav");  // the retries: tests/editor/MiscTest.cpp
    EXPECT_EQ(sound->attempts(), std::vector<std::string>(4, "/missing/bell.wav"));
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

// Enter does not close; Esc in an open drop-down closes only the list and saves nothing.
TEST_F(EditorWindow, EscInEveryControlSavesLikeOk) {
    typeInto("txtUserName", "a b");
    pressKey("txtUserName", Qt::Key_Enter);
    for (const char* name : {"cbConfNum", "cbEServType", "cbExternLang"}) {
        SCOPED_TRACE(name);
        auto* list = control<QComboBox>(name);
        focus(list);
        log->writes.clear();
        list->showPopup();
        QCoreApplication::processEvents();
        ASSERT_TRUE(list->view()->isVisible());
        pressKey(list->view(), Qt::Key_Escape);
        EXPECT_FALSE(list->view()->isVisible());
        EXPECT_EQ(log->writes, Entries{});
        EXPECT_TRUE(window->isVisible());
    }
    std::vector<std::string> names;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus && !child->objectName().isEmpty() &&
            !child->objectName().startsWith("qt_")) {
            names.push_back(child->objectName().toStdString());
        }
    }
    EXPECT_GE(names.size(), 30u);
    names.push_back("");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        open();
        choose("cbConfNum", 1);
        typeInto("txtUserName", QString::fromStdString("esc." + name));
        if (name.empty()) {
            QApplication::focusWidget()->clearFocus();
            QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        } else {
            QWidget* target = control(name.c_str());
            target->setEnabled(true);
            focus(target);
            pressKey(target, Qt::Key_Escape);
        }
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(profileValue("UserName1"), "esc." + name);
    }
}

// The sound options are one tab stop and the arrows choose.
TEST_F(EditorWindow, ControlsFollowTheDesign) {
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
    QLineEdit* password = field("txtUserPassword");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(
        password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
        '*');
    EXPECT_TRUE(field("txtExFolder")->isReadOnly());
    EXPECT_EQ(field("txtExFolder")->palette().color(QPalette::Base),
              field("txtExFolder")->palette().color(QPalette::Button));
    focus(control("cbAlarm"));
    pressKey("cbAlarm", Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), option(0));
    pressKey(option(0), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control("cbPopupWin"));  // the file is disabled
    focus(option(0));
    pressKey(option(0), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), option(1));
    EXPECT_TRUE(option(1)->isChecked() && !option(0)->isChecked());
    pressKey(option(1), Qt::Key_Up);
    EXPECT_TRUE(option(0)->isChecked() && !option(1)->isChecked());
    closeWindow();
    EXPECT_EQ(profileValue("SoundOptionA0"), "-1");
}

// The pause icon is as dark as its neighbours'.
TEST_F(EditorWindow, IconsMatchAndLongNamesFit) {
    const auto lightness = [this](const char* name) {  // the mean of the drawn pixels
        const QImage image = control<QAbstractButton>(name)->icon().pixmap(32).toImage();
        const QImage mean = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return QColor::fromRgba(qUnpremultiply(mean.pixel(0, 0))).lightness();
    };
    for (const char* name : {"keyNewConf", "keyDelConf"}) {
        EXPECT_LT(std::abs(lightness(name) - lightness("keyStopConfig")), 60) << name;
    }
    const auto icon = [this](const char* name) {
        return control<QAbstractButton>(name)->icon().pixmap(16).toImage();
    };
    EXPECT_EQ(icon("keyEClient"), icon("keyExFolder"));
    EXPECT_EQ(icon("keySelectWav"), icon("keyExFolder"));
    const int width = window->frameGeometry().width();
    storeConfigurations({record(std::string(348, 'N'), 0)});
    open();
    EXPECT_EQ(window->frameGeometry().width(), width);
    auto* list = control<QComboBox>("cbConfNum");
    list->showPopup();
    QCoreApplication::processEvents();
    EXPECT_GT(list->view()->width(), list->width());
    EXPECT_LE(list->view()->width(), window->screen()->availableGeometry().width());
}

}  // namespace
}  // namespace apptest
