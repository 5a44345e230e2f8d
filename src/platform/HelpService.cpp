#include <iostream>

#include "platform/Help.h"
#include "platform/ServiceSlot.h"

namespace platform {

namespace {

// Programs without windows on a platform without a help viewer of its own: the request
// is at least visible to whoever started them.
class ConsoleHelp final : public Help {
public:
    bool showTopic(const std::string& helpFile, int contextId, std::uintptr_t) override {
        std::cerr << "Help: " << helpFile << ", topic " << contextId << '\n';
        return false;
    }
};

}  // namespace

Help& help() {
    return ServiceSlot<Help>::process().get([]() -> std::unique_ptr<Help> {
        auto platformHelp = createPlatformHelp();
        if (!platformHelp) {
            return std::make_unique<ConsoleHelp>();
        }
        return platformHelp;
    });
}

void installHelp(std::unique_ptr<Help> replacement) {
    ServiceSlot<Help>::process().install(std::move(replacement));
}

}  // namespace platform
