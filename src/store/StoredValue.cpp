#include "store/StoredValue.h"

#include <limits>
#include <string_view>

#include "platform/TextCase.h"

namespace store {

namespace {

using modRegistryAccess::RegValue;

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<std::int64_t> parseDecimal(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        magnitude = magnitude > (kMax - digit) / 10 ? kMax : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

template <typename Int>
Int readRanged(const RegValue& value) {
    const auto number = storedInteger(value);
    if (!number || *number < std::numeric_limits<Int>::min() ||
        *number > std::numeric_limits<Int>::max()) {
        return 0;
    }
    return static_cast<Int>(*number);
}

}  // namespace

std::optional<std::int64_t> storedInteger(const RegValue& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return parseDecimal(*text);
    }
    return std::nullopt;
}

std::int32_t readInt32(const RegValue& value) {
    return readRanged<std::int32_t>(value);
}

std::int16_t readInt16(const RegValue& value) {
    return readRanged<std::int16_t>(value);
}

bool readBoolean(const RegValue& value) {
    if (const auto number = storedInteger(value)) {
        return *number != 0;
    }
    const auto* text = std::get_if<std::string>(&value);
    return text && platform::equalsIgnoreCase(trimBlanks(*text), "True");
}

std::string readText(const RegValue& value) {
    return modRegistryAccess::toText(value);
}

std::string numberText(std::int64_t number) {
    return std::to_string(number);
}

std::string booleanText(bool value) {
    return value ? "-1" : "0";
}

}  // namespace store
