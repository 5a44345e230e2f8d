// The field rules: which editor fields are enabled for the configuration's state, server
// type and alarm options, and the warning before the notifier is told to wait for the
// e-mail client.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "app/frmConfigWin.h"
#include "editor/FieldRules.h"
#include "lang/modMessages.h"
#include "platform/Prompts.h"
#include "platform/qt/ScopedNotTopmost.h"
#include "platform/qt/WindowTopmost.h"

using modMessages::Message;

void frmConfigWin::ApplyServerTypeRules(int serverType) {
    const auto rules = editor::ServerTypeRules(serverType);
    if (!rules) {
        return;
    }
    lblUserName->setText(QString::fromStdString(rules->accountNameCaption
                                                    ? Message("ConfigWin_UserName")
                                                    : Message("ConfigWin_UserNameEx")));
    keySelectProf->setEnabled(rules->profileButtons);
    keyDefProf->setEnabled(rules->profileButtons);
    lblUserPassword->setEnabled(rules->password);
    txtUserPassword->setEnabled(rules->password);
    lblInetServer->setEnabled(rules->internetServer);
    txtINetServer->setEnabled(rules->internetServer);
    lblINetPort->setEnabled(rules->internetServer);
    txtINetPort->setEnabled(rules->internetServer);
    lblExFolder->setEnabled(rules->exchangeFolder);
    txtExFolder->setEnabled(rules->exchangeFolder);
    keyExFolder->setEnabled(rules->exchangeFolder);
}

void frmConfigWin::SetEditorEnabled(bool enabled) {
    QWidget* const governed[] = {lblConfName,      txtConfName,     lblEServType,  cbEServType,
                                 lblUserName,      txtUserName,     keySelectProf, keyDefProf,
                                 lblUserPassword,  txtUserPassword, lblInetServer, txtINetServer,
                                 lblINetPort,      txtINetPort,     lblExFolder,   txtExFolder,
                                 keyExFolder,      lblEClient,      txtEClient,    keyEClient,
                                 lblWhTime,        txtWhTime,       cbAlarm,       obSoundOption[0],
                                 obSoundOption[1], lblWavFile,      txtWavName,    keySelectWav,
                                 keyPlayWav,       cbPopupWin,      cbRunEClient,  cbWaitEClient};
    for (QWidget* control : governed) {
        control->setEnabled(enabled);
    }
    if (enabled) {
        cbEServType_Click();
        cbAlarm_Click();
        cbRunEClient->setEnabled(!cbPopupWin->isChecked());
        cbPopupWin->setEnabled(!cbRunEClient->isChecked());
    }
    showPauseState();
}

void frmConfigWin::ApplyAlarmRules(bool alarmOn) {
    obSoundOption[0]->setEnabled(alarmOn);
    obSoundOption[1]->setEnabled(alarmOn);
    SetWavFieldsEnabled(alarmOn && obSoundOption[1]->isChecked());
}

void frmConfigWin::SetWavFieldsEnabled(bool enabled) {
    lblWavFile->setEnabled(enabled);
    txtWavName->setEnabled(enabled);
    keySelectWav->setEnabled(enabled);
    keyPlayWav->setEnabled(enabled);
}

void frmConfigWin::cbEServType_Click() {
    const int serverType = cbEServType->currentIndex();
    if (serverType >= 0) {
        // A type the user chose replaces one the list could not show.
        unlistedServerType.reset();
    }
    ApplyServerTypeRules(serverType);
}

void frmConfigWin::cbAlarm_Click() {
    if (cbAlarm->isEnabled()) {
        ApplyAlarmRules(cbAlarm->isChecked());
    }
}

void frmConfigWin::obSoundOption_Click(int index) {
    for (int other = 0; other < static_cast<int>(obSoundOption.size()); ++other) {
        if (other != index) {
            obSoundOption[other]->setChecked(false);
        }
    }
    SetWavFieldsEnabled(index != 0);
}

void frmConfigWin::cbPopupWin_Click() {
    cbRunEClient->setEnabled(!cbPopupWin->isChecked());
}

void frmConfigWin::cbRunEClient_Click() {
    cbPopupWin->setEnabled(!cbRunEClient->isChecked());
}

void frmConfigWin::cbWaitEClient_Click() {
    if (SkipWaitWarning) {
        SkipWaitWarning = false;
        return;
    }
    if (!cbWaitEClient->isChecked()) {
        return;
    }
    const platform::ScopedNotTopmost lowered(*this);
    const std::string text = Message("EClientWarningB") + "\r\n\r\n" + Message("EClientWarningC");
    const int answer = platform::prompts().messageBox(
        text, platform::msgbox::kYesNo | platform::msgbox::kExclamation,
        Message("EClientWarningA"));
    if (answer == platform::msgbox::kAnswerNo) {
        cbWaitEClient->setChecked(false);
    }
}

void frmConfigWin::setTopmost(bool topmost) {
    platform::setWindowTopmost(*this, topmost);
}
