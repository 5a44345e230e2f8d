#pragma once
// The folder walk's tree as a QTreeWidget: each node an item with its text, its key (in
// kKeyRole) and an icon that shows its picture, or its selected picture while selected.
// The nodes reach the view when this object goes: the view then takes the whole tree at
// once instead of laying itself out again for each of thousands of folders.

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <Qt>
#include <map>
#include <utility>

#include "mapi/FolderTree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace mapiqt {

inline constexpr int kKeyRole = Qt::UserRole;

class QtFolderTree final : public mapi::FolderTree {
public:
    explicit QtFolderTree(QTreeWidget& view);
    ~QtFolderTree() override;
    QtFolderTree(const QtFolderTree&) = delete;
    QtFolderTree& operator=(const QtFolderTree&) = delete;

protected:
    void insert(const mapi::FolderNode& node) override;

private:
    const QIcon& icon(int picture, int selectedPicture);

    QTreeWidget& view_;
    QHash<QString, QTreeWidgetItem*> items_;
    QList<QTreeWidgetItem*> topLevel_;
    QList<QTreeWidgetItem*> expanded_;
    std::map<std::pair<int, int>, QIcon> icons_;
};

}  // namespace mapiqt
