#pragma once
// File names travel through the program as UTF-8 text; the file system wants its own
// path form (wide characters on Windows, bytes elsewhere).

#include <filesystem>
#include <string_view>

namespace platform {

// The path of a UTF-8 file name.
std::filesystem::path pathFromUtf8(std::string_view utf8);

// True when a normal file exists at the path, as a plain directory look-up finds it:
// not a directory or device, and on Windows neither hidden nor a system file.
bool isNormalFile(const std::filesystem::path& path);

}  // namespace platform
