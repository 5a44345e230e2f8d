#include "platform/Help.h"

namespace platform {

// Linux desktops have no help viewer that opens a file at a topic number; the windows
// install a viewer of their own instead (qt/ChmHelp.h).
std::unique_ptr<Help> createPlatformHelp() {
    return nullptr;
}

}  // namespace platform
