#include "platform/Automation.h"

namespace platform {

namespace {

// No automation classes are installed yet: every class fails as an unknown ProgID does.
class NoClasses final : public Automation {
public:
    ObjectRef createObject(const std::string& progId) override {
        throw AutomationError(automationerror::kInvalidClassString, progId,
                              "Invalid class string");
    }
};

}  // namespace

std::unique_ptr<Automation> createPlatformAutomation() {
    return std::make_unique<NoClasses>();
}

}  // namespace platform
