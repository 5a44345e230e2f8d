#include "platform/qt/ToolkitServices.h"

#include "platform/Help.h"
#include "platform/Prompts.h"
#include "platform/qt/ChmHelp.h"
#include "platform/qt/QtPrompts.h"

namespace platform {

void installToolkitServices() {
    installPrompts(std::make_unique<QtPrompts>());
    auto viewer = createPlatformHelp();
    if (!viewer) {
        viewer = std::make_unique<ChmHelp>();
    }
    installHelp(std::move(viewer));
}

}  // namespace platform
