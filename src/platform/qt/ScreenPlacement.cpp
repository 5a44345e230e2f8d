#include "platform/qt/ScreenPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/WindowPlacement.h"

namespace platform {

namespace {

// The frame as the window system knows it now; the widget's own copy of the frame is only
// brought up to date by later events.
QRect liveFrame(QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle && window.isVisible() ? handle->frameGeometry() : window.frameGeometry();
}

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
    const QSize size = liveFrame(window).size();
    const WindowOrigin origin = bottomRightOriginPixels(
        area.width(), area.height(), size.width(), size.height(), screen->logicalDotsPerInch());
    const QPoint corner(area.x() + static_cast<int>(origin.left),
                        area.y() + static_cast<int>(origin.top));
    window.move(corner);
}

// An X11 window manager adds the frame (title bar and borders) only some time after the
// window is shown, so a window placed before that would end up lower and further right by
// the frame's size. This places it once more as soon as the frame is known: when the
// window paints, moves or changes size, and a few times a second for a while besides;
// without a window manager the frame never comes and it gives up.
class PlaceAgainWhenFramed final : public QObject {
public:
    // Found by this name: the class has no meta-object of its own to be found by type.
    static constexpr const char* kName = "placeAgainWhenFramed";

    explicit PlaceAgainWhenFramed(QWidget& window) : QObject(&window), window_(&window) {
        setObjectName(kName);
        window.installEventFilter(this);
        connect(&timer_, &QTimer::timeout, this, [this] {
            check();
            if (++checks_ >= kChecks) {
                finish();
            }
        });
        timer_.start(kIntervalMs);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (watched == window_ &&
            (type == QEvent::Paint || type == QEvent::Move || type == QEvent::Resize)) {
            check();
        }
        return false;
    }

private:
    static constexpr int kIntervalMs = 25;
    static constexpr int kChecks = 120;

    void check() {
        if (!done_ && window_ && window_->isVisible() &&
            liveFrame(*window_) != window_->geometry()) {
            placeByFrame(*window_);
            finish();
        }
    }
    void finish() {
        done_ = true;
        timer_.stop();
        if (window_) {
            window_->removeEventFilter(this);
        }
        deleteLater();
    }

    QPointer<QWidget> window_;
    QTimer timer_;
    int checks_ = 0;
    bool done_ = false;
};

}  // namespace

void placeAtBottomRight(QWidget& widget) {
    QWidget& window = *widget.window();
    placeByFrame(window);
    if (!window.isVisible() && window.findChild<QObject*>(PlaceAgainWhenFramed::kName,
                                                          Qt::FindDirectChildrenOnly) == nullptr) {
        new PlaceAgainWhenFramed(window);
    }
}

}  // namespace platform
