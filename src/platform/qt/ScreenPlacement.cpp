#include "platform/qt/ScreenPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include "platform/WindowPlacement.h"

namespace platform {

namespace {

void placeByFrame(QWidget& window) {
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

// An X11 window manager adds the frame (title bar and borders) only when it first shows the
// window, so a window placed before that ends up lower and further right by the frame's
// size. This places it once more on its first paint, when the frame is known.
class PlaceAgainWhenFramed final : public QObject {
public:
    explicit PlaceAgainWhenFramed(QWidget& window) : QObject(&window), window_(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            placeByFrame(*window_);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
};

}  // namespace

void placeAtBottomRight(QWidget& widget) {
    QWidget& window = *widget.window();
    placeByFrame(window);
    if (!window.isVisible() &&
        window.findChild<PlaceAgainWhenFramed*>(QString(), Qt::FindDirectChildrenOnly) == nullptr) {
        new PlaceAgainWhenFramed(window);
    }
}

}  // namespace platform
