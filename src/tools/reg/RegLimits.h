#pragma once
// The limits of the Windows registry on names and depth. The tool keeps to them in every
// direction (command line, import, export), so that whatever it writes it can read back
// and export again, whichever store is behind it.

#include <cstddef>
#include <string_view>

namespace regtool {

constexpr std::size_t kMaxKeyNameLength = 255;      // characters of one name in a key path
constexpr std::size_t kMaxValueNameLength = 16383;  // characters
constexpr std::size_t kMaxKeyDepth = 512;           // names in a key path below its root

// Throws RegToolError for a path (UTF-8, names separated by single backslashes) that is
// too deep or holds a name that is too long or has a NUL in it.
void checkKeyPath(std::string_view path);
// Throws RegToolError for a value name (UTF-8) that is too long or has a NUL in it.
void checkValueName(std::string_view name);
// How many names a key path has: 0 for the root itself.
std::size_t keyDepth(std::string_view path);

}  // namespace regtool
