#include "support/PlantedProfiles.h"

#include "platform/Registry.h"
#include "support/RawRegistry.h"

namespace testsupport {

void plantProfiles(const std::string& keyPath, const std::vector<std::string>& subkeys,
                   const std::optional<std::string>& defaultProfile) {
    createKey(platform::kHkeyCurrentUser, keyPath);
    for (const std::string& subkey : subkeys) {
        createKey(platform::kHkeyCurrentUser, keyPath + "\\" + subkey);
    }
    if (defaultProfile) {
        setRaw(platform::kHkeyCurrentUser, keyPath, "DefaultProfile", platform::regtype::kSz,
               *defaultProfile + '\0');
    }
}

}  // namespace testsupport
