// Opening and closing of the main window, in the order the settings and the notifier
// rely on.

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include "app/LanguageFiles.h"
#include "app/frmConfigWin.h"
#include "lang/modMessages.h"
#include "platform/qt/ScreenPlacement.h"
#include "store/GlobalSettings.h"
#include "store/SettingsSchema.h"

void frmConfigWin::Form_Load() {
    lProfileID = 0;
    strExFolderID.clear();
    HelpFilePath.clear();
    CurProfileEnabled = false;
    SkipWaitWarning = true;
    SkipNameSync = false;
    SkipListClick = false;
    InLangSwitch = false;
    std::string language;

    fillServerTypeList();
    ProfileIO(LoadProfileList, 0);
    modMessages::InitMessages();

    const std::string externLang = store::readExternLang();
    if (!externLang.empty()) {
        if (const auto file = LanguageFiles::find(store::readHomeDir(), externLang)) {
            modMessages::LoadMessages(*file);
            language = externLang;
        }
    }
    ApplyMessages(language);

    setHelpFile();
    setProperty("HelpContextID", 21050);

    if (cbConfNum->count() > 0) {
        ProfileIO(LoadProfile, 0);
    } else {
        SetEditorEnabled(false);
        if (!store::readConfigured()) {
            // Lost on a user's very first start, when the key does not exist yet; the
            // closing then stores the check box instead.
            store::writeRunAtStartup(1);
            cbRunAtStartup->setChecked(true);
            storedProfile.storedRunAtStartup = {};
        }
    }

    layout()->activate();
    platform::placeAtBottomRight(*this);
    setTopmost(true);
    show();
    // Only a shown window knows the size of its frame; the corner is measured with it.
    platform::placeAtBottomRight(*this);
    placed = true;
    activateWindow();
    // The focus frame shows from the start, not only once the Tab key has been used.
    setAttribute(Qt::WA_KeyboardFocusChange);
    // The list is first in the tab order; its getting the focus saves the selection once.
    cbConfNum->setFocus(Qt::ActiveWindowFocusReason);
    SkipWaitWarning = false;
}

void frmConfigWin::fillServerTypeList() {
    // The list shows no type until a configuration sets one.
    const QSignalBlocker quiet(cbEServType);
    cbEServType->clear();
    for (int type = 0; type < store::schema::kServerTypeCount; ++type) {
        cbEServType->addItem(QString::fromStdString(store::readWorkMode(type)), type);
    }
    cbEServType->setCurrentIndex(-1);
}

void frmConfigWin::Form_Unload() {
    // Closing by Esc or the close box, or from the task bar while another program is
    // active, leaves the frequency field without its check; the value saved must have
    // passed the same check as when it is left by a click.
    if (whTimeUnchecked) {
        txtWhTime_LostFocus();
    }
    if (cbConfNum->count() == 0) {
        store::createUserKeys();
        const bool runAtStartup = cbRunAtStartup->isChecked();
        store::writeRunAtStartup(runAtStartup ? 1 : 0, runAtStartup == shownRunAtStartup
                                                           ? storedProfile.storedRunAtStartup
                                                           : modRegistryAccess::RegValue{});
        store::writeConfigured(true);
        store::writeVersion();
    } else {
        ProfileIO(SaveProfile, static_cast<std::int16_t>(cbConfNum->currentIndex()));
        store::writeVersion();
    }
}
