#pragma once
// Upper-casing that does not depend on the process locale, for the comparisons that
// Windows makes without regard to letter case (registry names, language keys, file names).

#include <string>
#include <string_view>

namespace platform {

// The UTF-8 text with every letter of the scripts of the Windows single-byte code pages
// (Latin, Greek, Cyrillic) in upper case; other characters and invalid bytes unchanged.
std::string upperCase(std::string_view utf8);

// True when the two UTF-8 texts are equal without regard to letter case.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace platform
