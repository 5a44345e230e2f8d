#pragma once
// The check frequency as the notifier reads it: a whole number of seconds, 30 at least,
// within the 16-bit signed range. The text stays as the user typed it when it passes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace editor {

// The text as a 16-bit signed integer: blanks (spaces, tabs) around it ignored, an
// optional sign, decimal digits and an optional fraction after a '.', rounded to the
// nearest integer with halves going to the even neighbour. Nothing for empty text,
// anything else (exponents, hexadecimal, separators, a ',' fraction) or out of range.
std::optional<std::int16_t> ToInt16(std::string_view text);

// The smallest accepted check frequency, and the text that replaces a rejected one.
inline constexpr std::int16_t kMinCheckFrequency = 30;
inline constexpr const char* kMinCheckFrequencyText = "30";

// What the field holds after the user leaves it: the typed text when it converts to a
// number above 30, otherwise "30".
std::string CheckedFrequencyText(const std::string& typed);

}  // namespace editor
