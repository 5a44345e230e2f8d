#include "platform/Registry.h"

namespace platform {

namespace {
std::unique_ptr<Registry>& current() {
    static std::unique_ptr<Registry> instance;
    return instance;
}
}  // namespace

Registry& registry() {
    auto& instance = current();
    if (!instance) {
        instance = createPlatformRegistry();
    }
    return *instance;
}

void installRegistry(std::unique_ptr<Registry> replacement) {
    current() = std::move(replacement);
}

}  // namespace platform
