#pragma once
#include "support/RawRegistry.h"

namespace testsupport {
// MAPI profiles as Windows keeps them: a subkey each, "DefaultProfile" (unless null) beside.
inline void plantProfiles(const std::string& key, std::initializer_list<const char*> subkeys,
                          const char* defaultProfile) {
    for (const char* subkey : subkeys) {
        createKey(platform::kHkeyCurrentUser, key + "\\" + subkey);
    }
    if (defaultProfile != nullptr) {
        setRaw(platform::kHkeyCurrentUser, key, "DefaultProfile", 1,
               std::string(defaultProfile) + '\0');
    }
}
}  // namespace testsupport
