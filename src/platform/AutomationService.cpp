#include "platform/Automation.h"
#include "platform/ServiceSlot.h"

namespace platform {

Automation& automation() {
    return ServiceSlot<Automation>::process().get([] { return createPlatformAutomation(); });
}

void installAutomation(std::unique_ptr<Automation> replacement) {
    ServiceSlot<Automation>::process().install(std::move(replacement));
}

}  // namespace platform
