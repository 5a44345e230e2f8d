#pragma once
#include <filesystem>

namespace testsupport {

// Creates a new, empty, uniquely named directory under the system's temporary directory.
std::filesystem::path makeScratchDir();

}  // namespace testsupport
