#include "editor/CheckFrequency.h"

#include <cstddef>

namespace editor {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view takeDigits(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n])) {
        ++n;
    }
    const auto digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

// Whether the fraction's digits round the integer part away from zero. An exact half
// rounds so that the result is even.
bool roundsUp(std::string_view fraction, std::int64_t whole) {
    if (fraction.empty() || fraction.front() < '5') {
        return false;
    }
    if (fraction.front() > '5') {
        return true;
    }
    for (std::size_t i = 1; i < fraction.size(); ++i) {
        if (fraction[i] != '0') {
            return true;
        }
    }
    return whole % 2 != 0;
}

}  // namespace

std::optional<std::int16_t> ToInt16(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    auto whole = takeDigits(text);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = takeDigits(text);
    }
    if (!text.empty() || (whole.empty() && fraction.empty())) {
        return std::nullopt;
    }
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    // Six significant digits are already far outside the range; stop before overflowing.
    if (whole.size() > 5) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (const char c : whole) {
        magnitude = magnitude * 10 + (c - '0');
    }
    if (roundsUp(fraction, magnitude)) {
        ++magnitude;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

std::string CheckedFrequencyText(const std::string& typed) {
    const auto seconds = ToInt16(typed);
    if (!seconds || *seconds <= kMinCheckFrequency) {
        return kMinCheckFrequencyText;
    }
    return typed;
}

}  // namespace editor
