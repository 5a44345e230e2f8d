// What the window does with typed input: the check frequency on leaving its field, the
// pickers of the e-mail client program and of the audio file, and test playing.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/frmConfigWin.h"
#include "editor/CheckFrequency.h"
#include "editor/Misc.h"
#include "lang/modMessages.h"
#include "platform/Prompts.h"
#include "platform/Sound.h"
#include "platform/qt/ScopedNotTopmost.h"

using modMessages::Message;

void frmConfigWin::txtWhTime_LostFocus() {
    whTimeUnchecked = false;
    const std::string typed = txtWhTime->text().toStdString();
    const std::string checked = editor::CheckedFrequencyText(typed);
    // An accepted text stays exactly as typed, blanks and fraction included.
    if (checked != typed) {
        txtWhTime->setText(QString::fromStdString(checked));
    }
}

void frmConfigWin::pickFileInto(QLineEdit* field, modMessages::MessageKey titleKey,
                                modMessages::MessageKey filterKey) {
    const platform::ScopedNotTopmost lowered(*this);
    const QString remembered = field->text();
    const auto chosen = platform::prompts().openFile(Message(titleKey), Message(filterKey));
    if (!chosen || chosen->empty()) {
        field->setText(remembered);
    } else {
        field->setText(QString::fromStdString(*chosen));
    }
    field->setFocus();
}

void frmConfigWin::keyEClient_Click() {
    pickFileInto(txtEClient, "EClientDlg", "EClientMask");
}

void frmConfigWin::keySelectWav_Click() {
    pickFileInto(txtWavName, "WavDlg", "WavMask");
}

void frmConfigWin::keyPlayWav_Click() {
    const std::string path = txtWavName->text().toStdString();
    const bool alarmOn = cbAlarm->isChecked();
    const bool soundCard = obSoundOption[1]->isChecked();
    // The PC speaker choice is only stored for the notifier; there is nothing to test.
    if (!path.empty() && alarmOn && soundCard) {
        Misc::PlayWavFile(path, platform::playSoundFile);
    }
}
