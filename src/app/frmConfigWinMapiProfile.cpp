// The two buttons beside the account name that fill it with a MAPI profile: the one the
// user picks from the list of profiles, or the default profile.

#include <QLineEdit>

#include "app/frmConfigWin.h"
#include "lang/modMessages.h"
#include "mapi/ProfileDiscovery.h"
#include "mapi/qt/frmSelectProfile.h"
#include "platform/AppInfo.h"
#include "platform/Prompts.h"
#include "platform/qt/ScopedNotTopmost.h"
#include "registry/modRegistryAccess.h"

void frmConfigWin::keySelectProf_Click() {
    const platform::ScopedNotTopmost lowered(*this);
    if (const std::optional<QString> profile = frmSelectProfile::SelectProfile(this)) {
        txtUserName->setText(*profile);
    }
}

void frmConfigWin::keyDefProf_Click() {
    // The default is stored as plain text: it is used as read, without decoding.
    const modRegistryAccess::RegValue defaultProfile =
        modRegistryAccess::ReadRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                        mapi::GetProfilesKeyPath(), "DefaultProfile");
    txtUserName->setText(QString::fromStdString(modRegistryAccess::toText(defaultProfile)));
    if (!txtUserName->text().isEmpty()) {
        return;
    }
    const platform::ScopedNotTopmost lowered(*this);
    platform::prompts().messageBox(modMessages::Message("ProfileNotFound"),
                                   platform::msgbox::kExclamation, platform::kApplicationTitle);
}
