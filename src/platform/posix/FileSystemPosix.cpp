#include <system_error>

#include "platform/FileSystem.h"

namespace platform {

bool isNormalFile(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace platform
