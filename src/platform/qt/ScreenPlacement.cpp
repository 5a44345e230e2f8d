#include "platform/qt/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/WindowPlacement.h"

namespace platform {

void placeAtBottomRight(QWidget& widget) {
    QWidget& window = *widget.window();
    QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    // Qt's coordinates are device-independent pixels, and the logical resolution is the
    // one that goes with them, so the margins keep their size in inches at any scaling.
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    const WindowOrigin origin = bottomRightOriginPixels(
        area.width(), area.height(), size.width(), size.height(), screen->logicalDotsPerInch());
    window.move(area.x() + static_cast<int>(origin.left), area.y() + static_cast<int>(origin.top));
}

}  // namespace platform
