#pragma once
// Key paths and names as the ANSI registry functions take them, and the folded form in
// which the store compares them without regard to letter case.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace platform::sqlitestore {

// The longest key name and value name the registry accepts, in characters.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

// What a C string argument would be: the bytes before the first NUL.
std::string_view asCString(const std::string& text);

// Brings a relative key path to the form "Name\Name\Name". Like advapi32 it refuses a
// leading backslash (ERROR_BAD_PATHNAME) and ignores trailing and doubled ones; a name
// longer than 255 characters is ERROR_INVALID_PARAMETER.
LSTATUS normalizeKeyPath(const std::string& raw, std::string& normalized);

// The comparison form of a name or normalized path: decoded from the ANSI code page and
// upper-cased. Backslashes stay where they were.
std::string foldName(std::string_view ansi);

// The folded path of a child key.
std::string joinPath(std::string_view parentPath, std::string_view child);

// The names of a normalized path, in order.
std::vector<std::string_view> splitPath(std::string_view normalized);

}  // namespace platform::sqlitestore
