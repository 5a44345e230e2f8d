#include "platform/Help.h"

namespace platform {

// Linux desktops have no help viewer that opens a file at a topic number; the windows
// install the desktop's handler for the file instead (qt/DesktopHelp.h).
std::unique_ptr<Help> createPlatformHelp() {
    return nullptr;
}

}  // namespace platform
