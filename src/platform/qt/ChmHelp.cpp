#include "platform/qt/ChmHelp.h"

#include <QApplication>
#include <QFileInfo>
#include <optional>

#include "platform/Prompts.h"
#include "platform/qt/ChmArchive.h"
#include "platform/qt/HelpViewer.h"
#include "platform/qt/ScopedNotTopmost.h"
#include "platform/qt/WindowTopmost.h"

namespace platform {

namespace {

QWidget* ownerWidget(std::uintptr_t ownerWindow) {
    return ownerWindow == 0 ? nullptr : QWidget::find(static_cast<WId>(ownerWindow));
}

bool report(const std::string& text, std::uintptr_t ownerWindow) {
    std::optional<ScopedNotTopmost> lowered;
    if (QWidget* owner = ownerWidget(ownerWindow)) {
        lowered.emplace(*owner->window());
    }
    prompts().messageBox(text, msgbox::kExclamation, "");
    return false;
}

std::string damaged(const std::string& helpFile) {
    return "The help file " + helpFile + " cannot be read: it is damaged or not a compiled " +
           "help file.";
}

}  // namespace

ChmHelp::~ChmHelp() {
    // The viewer is a widget: it can only go while the application still exists.
    if (viewer_ && QApplication::instance() != nullptr) {
        delete viewer_.data();
    }
}

bool ChmHelp::showTopic(const std::string& helpFile, int contextId, std::uintptr_t ownerWindow) {
    if (!QFileInfo(QString::fromStdString(helpFile)).isFile()) {
        return report("The help file " + helpFile + " cannot be found.", ownerWindow);
    }
    std::shared_ptr<const ChmArchive> archive = ChmArchive::open(helpFile);
    if (!archive) {
        return report(damaged(helpFile), ownerWindow);
    }
    const auto topic = archive->topicOfContext(static_cast<std::uint32_t>(contextId));
    if (!topic && (archive->unreadable("/#IVB") || archive->unreadable("/#STRINGS"))) {
        return report(damaged(helpFile), ownerWindow);
    }
    if (!topic) {
        return report("The help file " + helpFile + " has no topic for help context " +
                          std::to_string(contextId) + ".",
                      ownerWindow);
    }
    if (!archive->read(*topic)) {
        return report(damaged(helpFile), ownerWindow);
    }
    HelpViewer& viewer = viewerFor(ownerWindow);
    viewer.showTopic(std::move(archive), QString::fromStdString(helpFile),
                     QString::fromStdString(*topic));
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
    return true;
}

HelpViewer& ChmHelp::viewerFor(std::uintptr_t ownerWindow) {
    // Owned by the asking window, the viewer stays in front of it and goes with it.
    QWidget* owner = ownerWidget(ownerWindow);
    QWidget* ownerTop = owner != nullptr ? owner->window() : nullptr;
    if (!viewer_) {
        viewer_ = new HelpViewer(ownerTop);
    } else if (viewer_->parentWidget() != ownerTop) {
        viewer_->setParent(ownerTop, viewer_->windowFlags() | Qt::Window);
    }
    // Above the always-on-top main window too.
    setWindowTopmost(*viewer_, true);
    return *viewer_;
}

}  // namespace platform
