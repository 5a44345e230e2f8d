#pragma once
// AutomationValue to VARIANT and back.

#include <oaidl.h>

#include "platform/Automation.h"

namespace platform {

class ComObject;

// Owns one VARIANT: clearing it frees its text and releases its object.
class ComVariant {
public:
    ComVariant() { VariantInit(&value_); }
    ~ComVariant() { VariantClear(&value_); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;

    VARIANT& get() { return value_; }

private:
    VARIANT value_;
};

// Fills an empty `target`. An object must be a COM object; anything else is a type mismatch.
void toVariant(const AutomationValue& value, VARIANT& target);

// What a member of `owner` returned. References are followed; a byte array becomes its
// hexadecimal digits and other kinds without a form of their own their text, as identifiers
// are used as text; a kind without text is a type mismatch.
AutomationValue fromVariant(const VARIANT& value, const ComObject& owner);

}  // namespace platform
