// The list of configurations: moving the edited configuration between the editor and its
// store slot, and choosing, creating, deleting, renaming and pausing configurations.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/frmConfigWin.h"
#include "lang/modMessages.h"
#include "platform/AppInfo.h"
#include "platform/Prompts.h"
#include "platform/qt/ScopedNotTopmost.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"
#include "store/SettingsSchema.h"

using modMessages::Message;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ss(const QString& text) {
    return text.toStdString();
}

std::int16_t checkState(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

// A stored check box state other than 0 or 1 (a store edited by hand) shows as checked.
bool checked(std::int16_t state) {
    return state != 0;
}

}  // namespace

void frmConfigWin::ProfileIO(std::int16_t operation, std::int16_t slot) {
    if (operation == SaveProfile) {
        // The language choice is stored with every save, even when no slot is selected.
        store::writeExternLang(ss(cbExternLang->currentText()), Message("ConfigWin_ExternLangNO"));
    }
    if (slot < 0) {
        return;
    }
    switch (operation) {
        case SaveProfile:
            saveProfile(slot);
            break;
        case LoadProfile:
            loadProfile(slot);
            break;
        case DeleteProfile:
            store::deleteProfile(slot);
            break;
        case NewProfileDefaults:
            newProfileDefaults();
            break;
        case LoadProfileList:
            loadProfileList(slot);
            break;
        case ClearProfile:
            clearProfile();
            break;
        default:
            break;
    }
}

store::Configuration frmConfigWin::editorRecord() const {
    store::Configuration record;
    record.ProfileID = lProfileID;
    record.ConfName = ss(txtConfName->text());
    const int type = cbEServType->currentIndex();
    record.EServType = type >= 0 ? static_cast<std::int16_t>(type) : unlistedServerType.value_or(0);
    record.UserName = ss(txtUserName->text());
    record.UserPassword = ss(txtUserPassword->text());
    record.INetServer = ss(txtINetServer->text());
    record.INetPort = ss(txtINetPort->text());
    record.ExFolder = ss(txtExFolder->text());
    record.ExFolderID = strExFolderID;
    record.EClient = ss(txtEClient->text());
    record.WhTime = ss(txtWhTime->text());
    record.Alarm = checkState(cbAlarm);
    record.SoundOptionA = obSoundOption[0]->isChecked();
    record.SoundOptionB = obSoundOption[1]->isChecked();
    record.WavName = ss(txtWavName->text());
    record.PopupWin = checkState(cbPopupWin);
    record.RunEClient = checkState(cbRunEClient);
    record.WaitEClient = checkState(cbWaitEClient);
    record.ProfileEnabled = CurProfileEnabled;
    return record;
}

// Puts the fields from the configuration's name on into their controls, in the order in
// which they are stored; each control's own reaction runs as the value changes.
void frmConfigWin::showRecord(const store::Configuration& record) {
    txtConfName->setText(qs(record.ConfName));
    if (store::isKnownServerType(record.EServType)) {
        unlistedServerType.reset();
        cbEServType->setCurrentIndex(record.EServType);
    } else {
        unlistedServerType = record.EServType;
        cbEServType->setCurrentIndex(-1);
    }
    txtUserName->setText(qs(record.UserName));
    txtUserPassword->setText(qs(record.UserPassword));
    txtINetServer->setText(qs(record.INetServer));
    txtINetPort->setText(qs(record.INetPort));
    txtExFolder->setText(qs(record.ExFolder));
    strExFolderID = record.ExFolderID;
    txtEClient->setText(qs(record.EClient));
    txtWhTime->setText(qs(record.WhTime));
    cbAlarm->setChecked(checked(record.Alarm));
    obSoundOption[0]->setChecked(record.SoundOptionA);
    obSoundOption[1]->setChecked(record.SoundOptionB);
    txtWavName->setText(qs(record.WavName));
    cbPopupWin->setChecked(checked(record.PopupWin));
    cbRunEClient->setChecked(checked(record.RunEClient));
    cbWaitEClient->setChecked(checked(record.WaitEClient));
    CurProfileEnabled = record.ProfileEnabled;
    showPathStarts();
}

void frmConfigWin::saveProfile(int slot) {
    const store::Configuration record = editorRecord();
    const bool runAtStartup = cbRunAtStartup->isChecked();
    const store::KeptValues kept{store::unchangedFields(record, shownRecord, storedProfile.stored),
                                 runAtStartup == shownRunAtStartup
                                     ? storedProfile.storedRunAtStartup
                                     : modRegistryAccess::RegValue{}};
    store::saveProfile(slot, record, checkState(cbRunAtStartup), cbConfNum->count(), kept);
}

void frmConfigWin::loadProfile(int slot) {
    // Values that come from the store are no user's choice: no wait warning for them.
    SkipWaitWarning = true;
    storedProfile = store::loadProfile(slot);
    lProfileID = storedProfile.record.ProfileID;
    cbRunAtStartup->setChecked(checked(storedProfile.runAtStartup));
    showRecord(storedProfile.record);
    SetEditorEnabled(CurProfileEnabled);
    shownRecord = editorRecord();
    shownRunAtStartup = cbRunAtStartup->isChecked();
    whTimeUnchecked = false;
    SkipWaitWarning = false;
}

void frmConfigWin::newProfileDefaults() {
    const store::Configuration defaults = store::newConfigurationDefaults(
        Message("NewConfDefName"), Message("ConfigWin_InBoxFolder"));
    lProfileID = 0;
    SkipNameSync = true;
    txtConfName->setText(qs(defaults.ConfName));
    SkipNameSync = false;
    unlistedServerType.reset();
    cbEServType->setCurrentIndex(defaults.EServType);
    txtUserName->setText(qs(defaults.UserName));
    txtUserPassword->setText(qs(defaults.UserPassword));
    txtINetServer->setText(qs(defaults.INetServer));
    txtINetPort->setText(qs(defaults.INetPort));
    txtExFolder->setText(qs(defaults.ExFolder));
    strExFolderID = defaults.ExFolderID;
    txtEClient->setText(qs(defaults.EClient));
    txtWhTime->setText(qs(defaults.WhTime));
    cbAlarm->setChecked(checked(defaults.Alarm));
    obSoundOption[0]->setChecked(defaults.SoundOptionA);
    obSoundOption[1]->setChecked(defaults.SoundOptionB);
    txtWavName->setText(qs(defaults.WavName));
    cbPopupWin->setChecked(checked(defaults.PopupWin));
    cbRunEClient->setChecked(checked(defaults.RunEClient));
    cbWaitEClient->setChecked(checked(defaults.WaitEClient));
    CurProfileEnabled = defaults.ProfileEnabled;
    // A new configuration has nothing stored to keep.
    storedProfile.stored = {};
    showPauseState();
    showPathStarts();
}

void frmConfigWin::showPathStarts() {
    // A path set from code shows its beginning, the drive and the first folders, rather
    // than wherever the cursor was left.
    for (QLineEdit* path : {txtEClient, txtWavName}) {
        path->setCursorPosition(0);
    }
}

void frmConfigWin::clearProfile() {
    const store::Configuration cleared = store::clearedConfiguration(lProfileID);
    SkipNameSync = true;
    txtConfName->setText(qs(cleared.ConfName));
    SkipNameSync = false;
    unlistedServerType.reset();
    cbEServType->setCurrentIndex(cleared.EServType);
    for (QLineEdit* field : {txtUserName, txtUserPassword, txtINetServer, txtINetPort, txtExFolder,
                             txtEClient, txtWhTime, txtWavName}) {
        field->clear();
    }
    strExFolderID.clear();
    cbAlarm->setChecked(false);
    obSoundOption[0]->setChecked(false);
    obSoundOption[1]->setChecked(false);
    cbPopupWin->setChecked(false);
    cbRunEClient->setChecked(false);
    cbWaitEClient->setChecked(false);
    CurProfileEnabled = cleared.ProfileEnabled;
    storedProfile.stored = {};
    showPauseState();
}

void frmConfigWin::loadProfileList(int slot) {
    const int count = store::listedConfigurationCount();
    if (count <= 0) {
        return;
    }
    const std::vector<std::string> names = store::readProfileNames();
    {
        // A toolkit list selects its first entry by itself and reports clearing; the
        // list is rebuilt without either, and selected below as the caller asked.
        const QSignalBlocker quiet(cbConfNum);
        cbConfNum->clear();
        for (int i = 0; i < count; ++i) {
            const std::string name = i < static_cast<int>(names.size()) ? names[i] : "";
            cbConfNum->addItem(qs(store::listEntryText(i, name)));
        }
        cbConfNum->setCurrentIndex(-1);
    }
    SkipListClick = true;
    cbConfNum->setCurrentIndex(slot < count ? slot : -1);
    SkipListClick = false;
}

void frmConfigWin::appendListEntry(const QString& text) {
    // A new entry is not selected by being added.
    const QSignalBlocker quiet(cbConfNum);
    const int selected = cbConfNum->currentIndex();
    cbConfNum->addItem(text);
    cbConfNum->setCurrentIndex(selected);
}

void frmConfigWin::removeLastListEntry() {
    // Removing the selected entry leaves nothing selected and loads nothing.
    const QSignalBlocker quiet(cbConfNum);
    const int last = cbConfNum->count() - 1;
    const int selected = cbConfNum->currentIndex();
    cbConfNum->removeItem(last);
    cbConfNum->setCurrentIndex(selected == last ? -1 : selected);
}

void frmConfigWin::cbConfNum_GotFocus() {
    // The configuration being left is saved before the user can pick another.
    ProfileIO(SaveProfile, static_cast<std::int16_t>(cbConfNum->currentIndex()));
}

void frmConfigWin::cbConfNum_Click() {
    if (SkipListClick) {
        return;
    }
    ProfileIO(LoadProfile, static_cast<std::int16_t>(cbConfNum->currentIndex()));
}

void frmConfigWin::keyNewConf_Click() {
    // Slots are 16-bit numbers: a list that is full takes no new configuration.
    if (cbConfNum->count() >= store::schema::kMaxConfigurations) {
        return;
    }
    SetEditorEnabled(true);
    const int selected = cbConfNum->currentIndex();
    int added = 0;
    if (selected == -1) {
        appendListEntry(QString());
        ProfileIO(NewProfileDefaults, 0);
        lProfileID = store::nextProfileID();
        ProfileIO(SaveProfile, 0);
        store::writeLastIDAfter(lProfileID);
    } else {
        ProfileIO(SaveProfile, static_cast<std::int16_t>(selected));
        added = cbConfNum->count();
        appendListEntry(QString());
        ProfileIO(NewProfileDefaults, static_cast<std::int16_t>(added));
        lProfileID = store::nextProfileID();
        store::writeLastIDAfter(lProfileID);
        ProfileIO(SaveProfile, static_cast<std::int16_t>(added));
    }
    ProfileIO(LoadProfileList, static_cast<std::int16_t>(added));
    // Typing replaces the default name.
    txtConfName->setFocus(Qt::TabFocusReason);
    txtConfName->selectAll();
}

void frmConfigWin::keyDelConf_Click() {
    int selected = cbConfNum->currentIndex();
    if (selected == -1) {
        return;
    }
    {
        const platform::ScopedNotTopmost lowered(*this);
        const int answer = platform::prompts().messageBox(
            Message("DelProfWarning"), platform::msgbox::kYesNo | platform::msgbox::kQuestion,
            platform::kApplicationTitle);
        if (answer != platform::msgbox::kAnswerYes) {
            return;
        }
    }
    // The list, not the stored count, says how many slots the window manages: each save
    // wrote the list's count, so the two agree unless the store was changed meanwhile.
    // Every later configuration moves one slot down exactly as stored, identifier
    // included: each was saved when it was left, and the one shown is the one deleted.
    const int count = cbConfNum->count();
    store::removeConfiguration(selected, count);
    removeLastListEntry();
    if (count > 1) {
        if (selected > count - 2) {
            selected = count - 2;
        }
        SkipListClick = true;
        cbConfNum->setCurrentIndex(selected);
        SkipListClick = false;
        ProfileIO(LoadProfile, static_cast<std::int16_t>(selected));
        ProfileIO(LoadProfileList, static_cast<std::int16_t>(selected));
    } else {
        ProfileIO(ClearProfile, 0);
        SetEditorEnabled(false);
    }
}

void frmConfigWin::txtConfName_Change() {
    if (SkipNameSync) {
        return;
    }
    SkipListClick = true;
    const int selected = cbConfNum->currentIndex();
    if (selected >= 0) {
        cbConfNum->removeItem(selected);
        cbConfNum->insertItem(selected,
                              qs(store::listEntryText(selected, ss(txtConfName->text()))));
        cbConfNum->setCurrentIndex(selected);
    }
    SkipListClick = false;
}

void frmConfigWin::keyStopConfig_Click() {
    if (cbConfNum->currentIndex() == -1) {
        showPauseState();
        return;
    }
    CurProfileEnabled = !CurProfileEnabled;
    SetEditorEnabled(CurProfileEnabled);
}

void frmConfigWin::showPauseState() {
    // The button stays pressed while the configuration in the editor is paused.
    keyStopConfig->setChecked(cbConfNum->currentIndex() >= 0 && !CurProfileEnabled);
}
