#include "platform/OsVersion.h"

namespace platform {

// What GetVersionExA reports on every current Windows; the profile discovery takes the
// NT-family path here too.
std::int32_t osPlatformId() {
    return 2;
}

}  // namespace platform
