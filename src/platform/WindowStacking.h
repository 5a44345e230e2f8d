#pragma once
// The always-on-top state of a top-level window where the platform sets it by a call of its
// own: SetWindowPos(window, HWND_TOPMOST or HWND_NOTOPMOST, 0, 0, 0, 0,
// SWP_NOMOVE | SWP_NOSIZE) on Windows. Other window systems have no such call: there the
// toolkit's stays-on-top window flag reaches the window system (see qt/WindowTopmost.h,
// which the windows use and which calls this).

#include <cstdint>
#include <optional>

namespace platform {

// A top-level window as the window system knows it: its HWND on Windows.
using NativeWindowId = std::uintptr_t;

// Puts the window above all normal windows for good, or back among them, without moving,
// resizing or activating it. False where the platform has no such call, or it failed.
bool setNativeTopmost(NativeWindowId window, bool topmost);

// Whether the window system keeps the window above all normal windows; nothing where the
// platform cannot say.
std::optional<bool> nativeTopmost(NativeWindowId window);

}  // namespace platform
