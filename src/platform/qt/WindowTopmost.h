#pragma once
// The main window's always-on-top state through the toolkit and the platform: Qt's
// stays-on-top flag (on X11 the window manager's _NET_WM_STATE_ABOVE) and, on Windows,
// SetWindowPos with HWND_TOPMOST / HWND_NOTOPMOST (platform/WindowStacking.h).

class QWidget;

namespace platform {

// Makes the top-level `window` stay above all normal windows, or not. Works before and
// after it is shown; a shown window stays shown, where it was and as large as it was.
void setWindowTopmost(QWidget& window, bool topmost);

// Whether `window` is set to stay above all normal windows.
bool isWindowTopmost(const QWidget& window);

}  // namespace platform
