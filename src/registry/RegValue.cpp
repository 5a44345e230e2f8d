#include "registry/RegValue.h"

#include <charconv>
#include <stdexcept>

namespace modRegistryAccess {

std::string toText(const RegValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    return {};
}

std::int32_t toInteger(const RegValue& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    const std::string text = toText(value);
    std::int32_t result = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, result);
    if (text.empty() || error != std::errc() || stop != end) {
        throw std::invalid_argument("not a 32-bit integer: " + text);
    }
    return result;
}

}  // namespace modRegistryAccess
