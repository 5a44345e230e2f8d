#include "platform/Registry.h"
#include "platform/ServiceSlot.h"

namespace platform {

Registry& registry() {
    return ServiceSlot<Registry>::process().get(createPlatformRegistry);
}

void installRegistry(std::unique_ptr<Registry> replacement) {
    ServiceSlot<Registry>::process().install(std::move(replacement));
}

}  // namespace platform
