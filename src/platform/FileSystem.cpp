#include "platform/FileSystem.h"

#include <string>

namespace platform {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    // Only the char8_t form tells the path that the bytes are UTF-8 and not the
    // ANSI code page, which matters on Windows.
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace platform
