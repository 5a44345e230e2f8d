#pragma once
// Late-bound automation objects: created by class name (ProgID) and reached by member name,
// as a script reaches a COM object through IDispatch. Windows implements it with COM; elsewhere
// the platform serves the classes it can stand in for (the mail session) in-process.
//
// Text crosses this interface as UTF-8. Every failure is thrown as AutomationError carrying
// the number, source and description that a script's error object would show.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace platform {

class AutomationObject;
using ObjectRef = std::shared_ptr<AutomationObject>;

// An uninitialised variant (VT_EMPTY).
struct Empty {
    bool operator==(const Empty&) const = default;
};
// An object reference to no object (VT_DISPATCH holding null: `Nothing`).
struct Nothing {
    bool operator==(const Nothing&) const = default;
};

// A property's value or a method's argument or result.
using AutomationValue =
    std::variant<Empty, Nothing, std::string, std::int16_t, std::int32_t, bool, ObjectRef>;

// Error numbers are HRESULTs seen as signed 32-bit integers, as a script sees them.
namespace automationerror {
constexpr std::int32_t kInvalidClassString = static_cast<std::int32_t>(0x800401F3);
constexpr std::int32_t kClassNotRegistered = static_cast<std::int32_t>(0x80040154);
constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006);
constexpr std::int32_t kBadParamCount = static_cast<std::int32_t>(0x8002000E);
constexpr std::int32_t kTypeMismatch = static_cast<std::int32_t>(0x80020005);
}  // namespace automationerror

class AutomationError : public std::runtime_error {
public:
    AutomationError(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    std::int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// One automation object. Its last ObjectRef going away releases it at once, so a caller
// that drops a reference releases the object deterministically (as `Set x = Nothing`).
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    // Property get by member name.
    virtual AutomationValue get(const std::string& property) = 0;
    // Method call by member name with positional arguments.
    virtual AutomationValue call(const std::string& method,
                                 const std::vector<AutomationValue>& arguments) = 0;
};

// The object factory (a script's CreateObject).
class Automation {
public:
    virtual ~Automation() = default;
    // Throws AutomationError when the class is not installed or the object cannot be made.
    virtual ObjectRef createObject(const std::string& progId) = 0;
};

// The process-wide factory, created on first use by the platform's factory.
Automation& automation();
// Replaces it (tests install scripted classes; null brings the platform's own back).
void installAutomation(std::unique_ptr<Automation> replacement);
// The platform's own factory, freshly created.
std::unique_ptr<Automation> createPlatformAutomation();

// Conversions a script applies when it uses a value as text, a number or an object.
// Text: numbers in decimal, Booleans "True"/"False", Empty "". Throws AutomationError
// (kTypeMismatch) for what has no such form (an object as text, text that is no number).
std::string automationText(const AutomationValue& value);
std::int32_t automationNumber(const AutomationValue& value);
// The object, or null for Nothing and Empty.
ObjectRef automationObject(const AutomationValue& value);

}  // namespace platform
