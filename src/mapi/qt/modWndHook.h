#pragma once
// Keeps one window (the folder browser) between a smallest and a largest size while the
// user drags its border. One set of state for the whole program, so one window at a time:
// set MinTrackSize, MaxTrackSize and HookedWindow, then InstallSizeHook; RemoveSizeHook
// when the window goes.
//
// The window system asks the window for its limits while a border is dragged; Qt answers
// from the widget's minimum and maximum size, so installing sets those and removing puts
// back the ones it had before. Sizes are in Qt's pixels (device-independent), the window's
// own area without the frame the window system draws around it.

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <cstdint>

namespace modWndHook {

struct TrackSize {
    std::int32_t x = 0;  // width
    std::int32_t y = 0;  // height
};

extern QPointer<QWidget> HookedWindow;
extern TrackSize MinTrackSize;
extern TrackSize MaxTrackSize;

// Limits HookedWindow to MinTrackSize .. MaxTrackSize. A hook already in place is removed
// first.
void InstallSizeHook();
// Gives the window its earlier limits back. Does nothing when no hook is installed.
void RemoveSizeHook();
// Whether a hook is installed on `window`.
bool IsHooked(const QWidget& window);

}  // namespace modWndHook
