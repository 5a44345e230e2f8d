#include "mapi/qt/modWndHook.h"

namespace modWndHook {

QPointer<QWidget> HookedWindow;
TrackSize MinTrackSize;
TrackSize MaxTrackSize;

namespace {

// What the window's limits were before the hook: what removing it restores.
struct PreviousLimits {
    QPointer<QWidget> window;
    QSize minimum;
    QSize maximum;
};
PreviousLimits previous;

}  // namespace

void InstallSizeHook() {
    RemoveSizeHook();
    if (!HookedWindow) {
        return;
    }
    previous = {HookedWindow, HookedWindow->minimumSize(), HookedWindow->maximumSize()};
    HookedWindow->setMinimumSize(MinTrackSize.x, MinTrackSize.y);
    HookedWindow->setMaximumSize(MaxTrackSize.x, MaxTrackSize.y);
}

void RemoveSizeHook() {
    if (!previous.window) {
        previous = {};
        return;
    }
    previous.window->setMinimumSize(previous.minimum);
    previous.window->setMaximumSize(previous.maximum);
    previous = {};
}

bool IsHooked(const QWidget& window) {
    return previous.window == &window;
}

}  // namespace modWndHook
