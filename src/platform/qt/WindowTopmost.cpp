#include "platform/qt/WindowTopmost.h"

#include <QWidget>
#include <QWindow>

#include "platform/WindowStacking.h"

namespace platform {

namespace {
bool hasNativeWindow(const QWidget& window) {
    return window.testAttribute(Qt::WA_WState_Created) && window.windowHandle() != nullptr;
}
}  // namespace

void setWindowTopmost(QWidget& widget, bool topmost) {
    QWidget& window = *widget.window();
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    // QWidget::setWindowFlags would hide a shown window and let it reappear elsewhere:
    // record the flag on the widget only, and hand it to the existing native window,
    // which passes it on to the window system as it is (X11: _NET_WM_STATE_ABOVE).
    window.overrideWindowFlags(flags);
    if (!hasNativeWindow(window)) {
        return;  // the flag goes to the window system when the window is created
    }
    window.windowHandle()->setFlags(flags);
    setNativeTopmost(window.winId(), topmost);
}

bool isWindowTopmost(const QWidget& widget) {
    const QWidget& window = *widget.window();
    if (hasNativeWindow(window)) {
        if (const auto native = nativeTopmost(window.internalWinId())) {
            return *native;
        }
    }
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace platform
