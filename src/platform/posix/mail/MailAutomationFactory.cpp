// The automation classes of systems without COM: only the mail session is installed.

#include <strings.h>

#include "platform/Automation.h"
#include "platform/posix/mail/MailSession.h"

namespace platform {

namespace {

class MailClasses final : public Automation {
public:
    ObjectRef createObject(const std::string& progId) override {
        // ProgIDs are looked up without regard to letter case, as the COM registry does.
        if (progId.size() == 12 && strcasecmp(progId.c_str(), "MAPI.Session") == 0) {
            return mail::makeMailSession();
        }
        throw AutomationError(automationerror::kInvalidClassString, progId, "Invalid class string");
    }
};

}  // namespace

std::unique_ptr<Automation> createPlatformAutomation() {
    return std::make_unique<MailClasses>();
}

}  // namespace platform
