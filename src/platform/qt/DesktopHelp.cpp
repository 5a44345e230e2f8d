#include "platform/qt/DesktopHelp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

bool DesktopHelp::showTopic(const std::string& helpFile, int, std::uintptr_t) {
    const QString path = QString::fromStdString(helpFile);
    // The handler of a missing file would only report it in a window of its own, if at all.
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

}  // namespace platform
