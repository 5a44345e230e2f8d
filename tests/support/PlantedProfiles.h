#pragma once
// MAPI profiles as Windows keeps them: one subkey per profile under the profiles key and
// the "DefaultProfile" value beside them.

#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// Creates the profiles key at `keyPath` under HKEY_CURRENT_USER with one subkey per name
// (bytes as stored) and, when given, "DefaultProfile" as a string value.
void plantProfiles(const std::string& keyPath, const std::vector<std::string>& subkeys,
                   const std::optional<std::string>& defaultProfile);

}  // namespace testsupport
