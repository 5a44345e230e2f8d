#include <charconv>
#include <string_view>

#include "platform/Automation.h"

namespace platform {

namespace {

[[noreturn]] void typeMismatch() {
    throw AutomationError(automationerror::kTypeMismatch, "Automation", "Type mismatch");
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

}  // namespace

std::string automationText(const AutomationValue& value) {
    return std::visit(
        Overloaded{
            [](const Empty&) { return std::string(); },
            [](const Nothing&) -> std::string { typeMismatch(); },
            [](const std::string& text) { return text; },
            [](std::int16_t number) { return std::to_string(number); },
            [](std::int32_t number) { return std::to_string(number); },
            [](bool flag) { return std::string(flag ? "True" : "False"); },
            [](const ObjectRef&) -> std::string { typeMismatch(); },
        },
        value);
}

std::int32_t automationNumber(const AutomationValue& value) {
    return std::visit(
        Overloaded{
            [](const Empty&) { return std::int32_t{0}; },
            [](const Nothing&) -> std::int32_t { typeMismatch(); },
            [](const std::string& text) {
                // A script converts numeric text; blanks around it are allowed.
                std::string_view digits(text);
                while (!digits.empty() && digits.front() == ' ') {
                    digits.remove_prefix(1);
                }
                while (!digits.empty() && digits.back() == ' ') {
                    digits.remove_suffix(1);
                }
                std::int32_t number = 0;
                auto [end, error] =
                    std::from_chars(digits.data(), digits.data() + digits.size(), number);
                if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
                    typeMismatch();
                }
                return number;
            },
            [](std::int16_t number) { return std::int32_t{number}; },
            [](std::int32_t number) { return number; },
            // A script's True is -1.
            [](bool flag) { return flag ? std::int32_t{-1} : std::int32_t{0}; },
            [](const ObjectRef&) -> std::int32_t { typeMismatch(); },
        },
        value);
}

ObjectRef automationObject(const AutomationValue& value) {
    if (const auto* object = std::get_if<ObjectRef>(&value)) {
        return *object;
    }
    if (std::holds_alternative<Nothing>(value) || std::holds_alternative<Empty>(value)) {
        return nullptr;
    }
    typeMismatch();
}

}  // namespace platform
