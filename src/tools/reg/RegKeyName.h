#pragma once
// A key as the user names it: a root (HKCU, HKLM or their long forms) and a path.

#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace regtool {

struct RegKeyName {
    platform::HKEY root = platform::kNullKey;
    // UTF-8, relative to the root, without leading or trailing backslash; "" for the root.
    std::string path;

    // The long form of the root, then the path: "HKEY_CURRENT_USER\Software\Orvane".
    std::string fullName() const;
    // The key one level below this one.
    RegKeyName child(const std::string& name) const;
};

// The long name of a root key ("HKEY_LOCAL_MACHINE").
std::string rootName(platform::HKEY root);

// Reads "HKCU\Software\...", "HKEY_LOCAL_MACHINE\..." (roots without regard to case,
// one trailing backslash tolerated). Throws RegToolError for an unknown root, an empty
// path component, or a path beyond the registry's limits (RegLimits.h).
RegKeyName parseKeyName(std::string_view text);

}  // namespace regtool
