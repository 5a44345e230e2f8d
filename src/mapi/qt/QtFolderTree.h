#pragma once
// The folder walk's tree as a QTreeWidget: each node an item with its text, its key (in
// kKeyRole) and an icon that shows its picture, or its selected picture while selected.
// The nodes reach the view when this object goes: the view then takes the whole tree at
// once instead of laying itself out again for each of thousands of folders.

#include <QHash>
#include <QList>
#include <QString>
#include <Qt>

#include "mapi/FolderTree.h"
#include "mapi/qt/ExchangeFolderIcons.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace mapiqt {

inline constexpr int kKeyRole = Qt::UserRole;

class QtFolderTree final : public mapi::FolderTree {
public:
    QtFolderTree(QTreeWidget& view, ExhangeFolderIcons& icons);
    ~QtFolderTree() override;
    QtFolderTree(const QtFolderTree&) = delete;
    QtFolderTree& operator=(const QtFolderTree&) = delete;

protected:
    void insert(const mapi::FolderNode& node) override;

private:
    QTreeWidget& view_;
    ExhangeFolderIcons& icons_;
    QHash<QString, QTreeWidgetItem*> items_;
    QList<QTreeWidgetItem*> topLevel_;
    QList<QTreeWidgetItem*> expanded_;
};

}  // namespace mapiqt
