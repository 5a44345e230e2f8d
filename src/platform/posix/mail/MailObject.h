#pragma once
// What every object of the mail session shares: members found by name without regard to
// letter case, as IDispatch finds them, and a property read as a method call without
// arguments and the other way round, as a script may write either.

#include <optional>
#include <string>
#include <vector>

#include "platform/Automation.h"

namespace mail {

class MailObject : public platform::AutomationObject {
public:
    platform::AutomationValue get(const std::string& property) final;
    platform::AutomationValue call(const std::string& method,
                                   const std::vector<platform::AutomationValue>& arguments) final;

protected:
    // Nothing when the object has no property of that name.
    virtual std::optional<platform::AutomationValue> property(const std::string& name) = 0;
    // Nothing when the object has no method of that name.
    virtual std::optional<platform::AutomationValue> method(
        const std::string& name, const std::vector<platform::AutomationValue>& arguments);

    static bool named(const std::string& member, const char* name);
    // Throws the automation error for a wrong number of arguments unless min <= n <= max.
    static void expectArguments(const std::vector<platform::AutomationValue>& arguments,
                                std::size_t min, std::size_t max);
};

}  // namespace mail
