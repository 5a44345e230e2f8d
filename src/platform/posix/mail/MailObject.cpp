#include "platform/posix/mail/MailObject.h"

#include <strings.h>
#include <cstring>

namespace mail {

namespace {

[[noreturn]] void unknownName(const std::string& member) {
    throw platform::AutomationError(platform::automationerror::kUnknownName, "MAPI.Session",
                                    "Unknown name: " + member);
}

}  // namespace

platform::AutomationValue MailObject::get(const std::string& name) {
    if (std::optional<platform::AutomationValue> value = property(name)) {
        return *value;
    }
    if (std::optional<platform::AutomationValue> value = method(name, {})) {
        return *value;
    }
    unknownName(name);
}

platform::AutomationValue MailObject::call(
    const std::string& name, const std::vector<platform::AutomationValue>& arguments) {
    if (std::optional<platform::AutomationValue> value = method(name, arguments)) {
        return *value;
    }
    if (arguments.empty()) {
        if (std::optional<platform::AutomationValue> value = property(name)) {
            return *value;
        }
    }
    unknownName(name);
}

std::optional<platform::AutomationValue> MailObject::method(
    const std::string&, const std::vector<platform::AutomationValue>&) {
    return std::nullopt;
}

bool MailObject::named(const std::string& member, const char* name) {
    return member.size() == std::strlen(name) && strcasecmp(member.c_str(), name) == 0;
}

void MailObject::expectArguments(const std::vector<platform::AutomationValue>& arguments,
                                 std::size_t min, std::size_t max) {
    if (arguments.size() < min || arguments.size() > max) {
        throw platform::AutomationError(platform::automationerror::kBadParamCount, "MAPI.Session",
                                        "Invalid number of parameters");
    }
}

}  // namespace mail
