#pragma once
// The stored forms of single settings and their conversions on reading. Everything this
// program writes is text ("300", "1"/"0" for a check box, "-1"/"0" for a Boolean), but a
// store edited by hand or by another program may hold anything; reading never fails and
// never guesses beyond what is stated here.

#include <cstdint>
#include <optional>
#include <string>

#include "registry/RegValue.h"

namespace store {

// The number a stored value holds: a REG_DWORD value as it is, or text that is a decimal
// integer (blanks around it and one leading sign allowed, as people type it by hand).
// Numbers beyond the 64-bit range saturate, so they still count as large and non-zero.
// Nothing for Empty and for text that is not such a number ("abc", "1.5", "").
std::optional<std::int64_t> storedInteger(const modRegistryAccess::RegValue& value);

// A field held as a 32-bit integer (ProfileID). Empty, text that is not a number and
// numbers the field cannot hold read as 0, the value of a missing field.
std::int32_t readInt32(const modRegistryAccess::RegValue& value);
// A field held as a 16-bit integer (indexes, check boxes), with the same rule.
std::int16_t readInt16(const modRegistryAccess::RegValue& value);
// A Boolean: any non-zero number is true; the words "True" and "False" in any letter
// case are read as what they say; anything else, Empty included, is false.
bool readBoolean(const modRegistryAccess::RegValue& value);
// Text: a REG_DWORD value reads as its decimal text, Empty as "".
std::string readText(const modRegistryAccess::RegValue& value);

// The stored forms written for numbers and Booleans.
std::string numberText(std::int64_t number);
std::string booleanText(bool value);

}  // namespace store
