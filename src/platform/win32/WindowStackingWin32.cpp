#include <windows.h>

#include "platform/WindowStacking.h"

namespace platform {

bool setNativeTopmost(NativeWindowId window, bool topmost) {
    const HWND handle = reinterpret_cast<HWND>(window);
    return SetWindowPos(handle, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

std::optional<bool> nativeTopmost(NativeWindowId window) {
    const HWND handle = reinterpret_cast<HWND>(window);
    if (!IsWindow(handle)) {
        return std::nullopt;
    }
    return (GetWindowLongPtrA(handle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace platform
