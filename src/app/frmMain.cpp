#include "app/frmMain.h"

#include <QApplication>
#include <memory>

#include "app/QtEventWait.h"
#include "app/frmConfigWin.h"
#include "platform/SingleInstance.h"
#include "platform/qt/ToolkitServices.h"

namespace frmMain {

int Main(int argc, char** argv) {
    // Checked before the toolkit starts, so that a second start shows nothing at all.
    const auto instance = platform::claimSingleInstance();
    if (!instance->isFirst()) {
        return 0;
    }
    QApplication application(argc, argv);
    platform::installToolkitServices();
    editor::installEventWait(std::make_unique<QtEventWait>());
    frmConfigWin window;
    window.Form_Load();
    return application.exec();
}

}  // namespace frmMain
