// The texts of the window in the chosen language, the language list, and help by the F1
// key at the topic of the focused control.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/LanguageFiles.h"
#include "app/frmConfigWin.h"
#include "lang/modMessages.h"
#include "platform/Help.h"
#include "platform/TextCase.h"
#include "store/GlobalSettings.h"

using modMessages::Message;

namespace {

// The property that holds a control's help topic; a control without one falls back to
// the window's.
constexpr const char* kHelpContextID = "HelpContextID";
constexpr int kWindowHelpContext = 21050;

QString text(modMessages::MessageKey key) {
    return QString::fromStdString(Message(key));
}

void setHelpContext(QWidget* control, int contextId) {
    control->setProperty(kHelpContextID, contextId);
}

}  // namespace

void frmConfigWin::ApplyMessages(const std::string& language) {
    lblConfNumber->setText(text("ConfigWin_ConfNum"));
    setHelpContext(cbConfNum, 21060);
    keyNewConf->setToolTip(text("ConfigWin_NewConfTip"));
    setHelpContext(keyNewConf, 21060);
    keyDelConf->setToolTip(text("ConfigWin_DelConfTip"));
    setHelpContext(keyDelConf, 21060);
    keyStopConfig->setToolTip(text("ConfigWin_StopConf"));
    setHelpContext(keyStopConfig, 21060);
    lblConfName->setText(text("ConfigWin_ConfName"));
    setHelpContext(txtConfName, 21070);
    setWindowTitle(text("ConfigWin_FormCaption"));
    lblEServType->setText(text("ConfigWin_EServType"));
    setHelpContext(cbEServType, 21080);
    lblUserName->setText(text("ConfigWin_UserName"));
    setHelpContext(txtUserName, 21090);
    keySelectProf->setToolTip(text("ConfigWin_SelectProfTip"));
    setHelpContext(keySelectProf, 21090);
    keyDefProf->setToolTip(text("ConfigWin_DefProfTip"));
    setHelpContext(keyDefProf, 21090);
    lblUserPassword->setText(text("ConfigWin_UserPassword"));
    setHelpContext(txtUserPassword, 21100);
    lblInetServer->setText(text("ConfigWin_InetServer"));
    setHelpContext(txtINetServer, 21110);
    lblINetPort->setText(text("ConfigWin_InetPort"));
    setHelpContext(txtINetPort, 21120);
    lblExFolder->setText(text("ConfigWin_ExFolder"));
    // The folder shown is replaced too; the configuration loaded next puts its own back.
    txtExFolder->setText(text("ConfigWin_InBoxFolder"));
    setHelpContext(txtExFolder, 21130);
    keyExFolder->setToolTip(text("ConfigWin_ExFolderTip"));
    setHelpContext(keyExFolder, 21140);
    lblEClient->setText(text("ConfigWin_EClient"));
    setHelpContext(txtEClient, 21150);
    keyEClient->setToolTip(text("ConfigWin_EClientTip"));
    setHelpContext(keyEClient, 21150);
    lblWhTime->setText(text("ConfigWin_WhTime"));
    setHelpContext(txtWhTime, 21160);
    cbAlarm->setText(text("ConfigWin_Alarm"));
    setHelpContext(cbAlarm, 21170);
    obSoundOption[0]->setText(text("ConfigWin_PCSpk"));
    setHelpContext(obSoundOption[0], 21170);
    obSoundOption[1]->setText(text("ConfigWin_SoundCard"));
    setHelpContext(obSoundOption[1], 21170);
    lblWavFile->setText(text("ConfigWin_WavFile"));
    setHelpContext(txtWavName, 21170);
    keySelectWav->setToolTip(text("ConfigWin_SelectWav"));
    setHelpContext(keySelectWav, 21170);
    keyPlayWav->setToolTip(text("ConfigWin_PlayWav"));
    setHelpContext(keyPlayWav, 21170);
    cbPopupWin->setText(text("ConfigWin_PopupWin"));
    setHelpContext(cbPopupWin, 21180);
    cbRunEClient->setText(text("ConfigWin_RunEClient"));
    setHelpContext(cbRunEClient, 21190);
    cbWaitEClient->setText(text("ConfigWin_WaitEClient"));
    setHelpContext(cbWaitEClient, 21200);
    lblExternLang->setText(text("ConfigWin_ExternLang"));
    setHelpContext(cbExternLang, 21210);
    cbRunAtStartup->setText(text("ConfigWin_RunAtStartup"));
    setHelpContext(cbRunAtStartup, 21220);
    keyOk->setText(text("ConfigWin_Ok"));
    keyOk->setToolTip(text("ConfigWin_OkTip"));
    keyHelp->setText(text("ConfigWin_Help"));
    alignLabelColumns();

    lblExternLang->setEnabled(true);
    cbExternLang->setEnabled(true);
    FillLanguageList(language);
    cbEServType_Click();
}

void frmConfigWin::FillLanguageList(const std::string& language) {
    const std::string homeDir = store::readHomeDir();
    int counter = 0;
    int selected = 0;
    {
        const QSignalBlocker quiet(cbExternLang);
        cbExternLang->clear();
        cbExternLang->addItem(text("ConfigWin_ExternLangNO"));
        for (const std::string& fileName : LanguageFiles::list(homeDir)) {
            ++counter;
            const std::string name = CutExtension(fileName, LanguageFiles::kExtension);
            if (platform::upperCase(name) == platform::upperCase(language)) {
                selected = counter;
            }
            cbExternLang->addItem(QString::fromStdString(name));
        }
        // The list was emptied: the selection below is a change and runs the choice.
        cbExternLang->setCurrentIndex(-1);
    }
    cbExternLang->setCurrentIndex(selected);
}

std::string frmConfigWin::CutExtension(const std::string& fileName, const std::string& extension) {
    if (extension.size() > fileName.size()) {
        return fileName;
    }
    for (std::size_t at = fileName.size() - extension.size() + 1; at-- > 0;) {
        if (platform::equalsIgnoreCase(fileName.substr(at, extension.size()), extension)) {
            return fileName.substr(0, at);
        }
    }
    return fileName;
}

void frmConfigWin::cbExternLang_Click() {
    if (InLangSwitch) {
        return;
    }
    InLangSwitch = true;
    modMessages::InitMessages();
    const std::string homeDir = store::readHomeDir();
    const std::string choice = cbExternLang->currentText().toStdString();
    const auto languageFile = LanguageFiles::find(homeDir, choice);
    if (!languageFile) {
        cbExternLang->setCurrentIndex(0);
    } else if (choice != Message("ConfigWin_ExternLangNO")) {
        modMessages::LoadMessages(*languageFile);
    }
    ApplyMessages(cbExternLang->currentText().toStdString());
    InLangSwitch = false;
    setHelpFile();
    ProfileIO(LoadProfile, 0);
    ProfileIO(LoadProfileList, 0);
}

void frmConfigWin::rechooseLanguage() {
    // The language is applied again (a file named like the entry for no language is only
    // loaded that way), but nothing changed for the editor: the configuration shown, the
    // user's unsaved edits and what was read from the store stay as they were.
    const int selected = cbConfNum->currentIndex();
    const store::Configuration edited = editorRecord();
    const bool runAtStartup = cbRunAtStartup->isChecked();
    const bool shownStartup = shownRunAtStartup;
    const store::LoadedProfile stored = storedProfile;
    const store::Configuration shown = shownRecord;
    const bool frequencyUnchecked = whTimeUnchecked;
    cbExternLang_Click();
    if (selected >= 0) {
        SkipListClick = true;
        cbConfNum->setCurrentIndex(selected);
        SkipListClick = false;
        SkipWaitWarning = true;
        lProfileID = edited.ProfileID;
        showRecord(edited);
        SetEditorEnabled(CurProfileEnabled);
        SkipWaitWarning = false;
    }
    cbRunAtStartup->setChecked(runAtStartup);
    storedProfile = stored;
    shownRecord = shown;
    shownRunAtStartup = shownStartup;
    whTimeUnchecked = frequencyUnchecked;
}

void frmConfigWin::setHelpFile() {
    HelpFilePath = store::readHomeDir() + modMessages::HelpFileName();
}

void frmConfigWin::keyHelp_Click() {
    // Acts as the F1 key, without waiting for it: the help opens at the topic of the
    // control that has the focus, which after a click is the help button itself.
    QWidget* target = QApplication::focusWidget();
    QCoreApplication::postEvent(target ? target : this,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
}

void frmConfigWin::showHelpForFocus() {
    const QWidget* focused = QApplication::focusWidget();
    int contextId = property(kHelpContextID).toInt();
    if (focused && focused->property(kHelpContextID).toInt() > 0) {
        contextId = focused->property(kHelpContextID).toInt();
    }
    if (contextId <= 0) {
        contextId = kWindowHelpContext;
    }
    platform::help().showTopic(HelpFilePath, contextId, static_cast<std::uintptr_t>(winId()));
}
