// The Exchange folder button: the folder browser, modal, with the main window lowered and
// disabled while it is open.

#include <QLineEdit>
#include <exception>

#include "app/frmConfigWin.h"
#include "mapi/qt/frmMSExFolderSelect.h"

void frmConfigWin::keyExFolder_Click() {
    setTopmost(false);
    setEnabled(false);
    try {
        frmMSExFolderSelect browser({this, txtUserName, txtExFolder, &strExFolderID, HelpFilePath});
        if (browser.Form_Load()) {
            browser.exec();
        }
    } catch (const std::exception&) {
        // The browser reports its own failures; whatever else goes wrong in it must not
        // leave this window disabled and below the others.
    }
    setEnabled(true);
    setTopmost(true);
    // The browser is a window of its own: the window system need not hand the activation
    // back to this one when it closes.
    activateWindow();
    txtExFolder->setFocus();
}
