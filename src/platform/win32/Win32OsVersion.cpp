#include <windows.h>

#include "platform/OsVersion.h"

namespace platform {

std::int32_t osPlatformId() {
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148, "GetVersionExA expects the 148-byte ANSI record");
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) {
        // The call fails only for a wrong record size; every system this program
        // runs on belongs to the NT family.
        return VER_PLATFORM_WIN32_NT;
    }
    return static_cast<std::int32_t>(info.dwPlatformId);
}

}  // namespace platform
