#pragma once
// The folder walk's tree as a QTreeWidget: each node an item with its text, its key (in
// kKeyRole) and an icon that shows its picture, or its selected picture while selected.

#include <QHash>
#include <QIcon>
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

protected:
    void insert(const mapi::FolderNode& node) override;

private:
    const QIcon& icon(int picture, int selectedPicture);

    QTreeWidget& view_;
    QHash<QString, QTreeWidgetItem*> items_;
    std::map<std::pair<int, int>, QIcon> icons_;
};

}  // namespace mapiqt
