#include "platform/WindowStacking.h"

namespace platform {

// X11 and Wayland keep the stacking of top-level windows with the window manager, which
// the toolkit asks through its stays-on-top window flag: nothing to call here.
bool setNativeTopmost(NativeWindowId, bool) {
    return false;
}

std::optional<bool> nativeTopmost(NativeWindowId) {
    return std::nullopt;
}

}  // namespace platform
