#pragma once
#include <cstdint>

namespace platform {

// The platform identifier field that GetVersionExA fills (2 = the NT family).
// Systems other than Windows report 2.
std::int32_t osPlatformId();

}  // namespace platform
