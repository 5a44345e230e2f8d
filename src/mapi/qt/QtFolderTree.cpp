#include "mapi/qt/QtFolderTree.h"

#include <QTreeWidget>

#include "platform/Automation.h"

namespace mapiqt {

QtFolderTree::QtFolderTree(QTreeWidget& view, ExhangeFolderIcons& icons)
    : view_(view), icons_(icons) {}

QtFolderTree::~QtFolderTree() {
    view_.addTopLevelItems(topLevel_);
    for (QTreeWidgetItem* item : expanded_) {
        item->setExpanded(true);
    }
}

void QtFolderTree::insert(const mapi::FolderNode& node) {
    QTreeWidgetItem* parent = nullptr;
    if (!node.parentKey.empty()) {
        parent = items_.value(QString::fromStdString(node.parentKey));
        if (parent == nullptr) {
            // As a tree view's node collection reports a relative node it does not hold.
            throw platform::AutomationError(35601, "TreeView", "Element not found");
        }
    }
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromStdString(node.text));
    const QString key = QString::fromStdString(node.key);
    item->setData(0, kKeyRole, key);
    item->setIcon(0, icons_.nodeIcon(node.picture, node.selectedPicture));
    if (parent) {
        parent->addChild(item);
    } else {
        topLevel_.append(item);
    }
    if (node.expanded) {
        expanded_.append(item);
    }
    items_.insert(key, item);
}

}  // namespace mapiqt
