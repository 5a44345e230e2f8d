#pragma once
// The value exchanged with the registry access layer: Empty, a text or a 32-bit integer.

#include <cstdint>
#include <string>
#include <variant>

namespace modRegistryAccess {

using RegValue = std::variant<std::monostate, std::string, std::int32_t>;

// 0 success, -1 a stored type other than REG_SZ and REG_DWORD, else a Windows error code.
using RegStatus = std::int32_t;

constexpr RegStatus kUnsupportedType = -1;

// Value type codes that callers pass when writing.
constexpr std::int32_t kRegSz = 1;
constexpr std::int32_t kRegDword = 4;

inline bool isEmpty(const RegValue& value) {
    return std::holds_alternative<std::monostate>(value);
}

// The value as text: Empty gives "", a number its decimal form ("-1", "300").
std::string toText(const RegValue& value);

// The value as a 32-bit integer for REG_DWORD writes. Throws std::invalid_argument
// for text that is not a decimal number in range: that is the caller's mistake.
std::int32_t toInteger(const RegValue& value);

}  // namespace modRegistryAccess
