#include "app/ToolIcons.h"

#include <QPainter>
#include <QPixmap>

namespace ToolIcons {

namespace {

// Sharp at every size the icon is asked for, on any scaling.
QIcon drawn(const QPalette& palette, bool vertical) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            const auto group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
            const QColor color = palette.color(group, QPalette::ButtonText);
            const int stroke = std::max(2, size / 8);
            const int margin = size / 5;
            const int middle = (size - stroke) / 2;
            painter.fillRect(margin, middle, size - 2 * margin, stroke, color);
            if (vertical) {
                painter.fillRect(middle, margin, stroke, size - 2 * margin, color);
            }
            icon.addPixmap(pixmap, mode);
        }
    }
    return icon;
}

}  // namespace

QIcon newItem(const QPalette& palette) {
    return drawn(palette, true);
}

QIcon deleteItem(const QPalette& palette) {
    return drawn(palette, false);
}

}  // namespace ToolIcons
