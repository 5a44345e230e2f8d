#include <iostream>

#include "platform/Help.h"

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

std::unique_ptr<Help>& current() {
    static std::unique_ptr<Help> instance;
    return instance;
}

}  // namespace

Help& help() {
    auto& instance = current();
    if (!instance) {
        instance = createPlatformHelp();
    }
    if (!instance) {
        instance = std::make_unique<ConsoleHelp>();
    }
    return *instance;
}

void installHelp(std::unique_ptr<Help> replacement) {
    current() = std::move(replacement);
}

}  // namespace platform
