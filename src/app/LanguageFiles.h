#pragma once
// The language files in the program's home directory. The home directory is a plain
// prefix (file names are appended to it without a separator), and names match without
// regard to letter case, as on the file system the program was made for, also where the
// file system itself tells letter case apart.

#include <optional>
#include <string>
#include <vector>

namespace LanguageFiles {

// The extension language files are named with, and the one their names are cut at.
inline constexpr const char* kExtension = ".Lng";

// The file names (without directory) of the normal files that match home + "*.lng" without
// regard to case, in the order the directory listing gives them.
std::vector<std::string> list(const std::string& homeDir);

// The full path of the normal file named home + name + ".Lng", matched without regard to
// case (an exact match wins); nothing when there is none.
std::optional<std::string> find(const std::string& homeDir, const std::string& name);

}  // namespace LanguageFiles
