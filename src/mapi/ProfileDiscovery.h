#pragma once
// Where Windows keeps the current user's MAPI profiles, their names and the default one.
// Reads only. Names come back as program text (UTF-8).

#include <cstdint>
#include <string>
#include <vector>

namespace mapi {

// The platform identifier of GetVersionExA: 2 for the NT family, 1 for the Windows 95
// family, 0 for Win32s. Systems other than Windows report 2.
std::int16_t GetPlatformId();

// The profiles key under HKEY_CURRENT_USER for that platform identifier.
std::string GetProfilesKeyPath(std::int16_t platformId);
// The profiles key for the running system, asked afresh at every call.
std::string GetProfilesKeyPath();

// A profile subkey's name with every "[" group (the bracket and two characters X and Y,
// standing for the ANSI code (code(Y) - 124) * 16 + code(X) - 112 + 192) replaced by that
// character of the system's code page. A "[" without two characters after it, or whose
// two characters give no code from 0 to 255, stays as it stands, and what follows it is
// read as if it had no "[" before it.
std::string DecodeProfileName(const std::string& name);

// The inverse for writing profile subkeys: every character whose ANSI code is 192 to 255
// becomes its "[" group; everything else, "[" included, stays as it is. The groups have no
// escape for "[" itself: a name holding "[" and two characters that form a group does not
// come back unchanged.
std::string EncodeProfileName(const std::string& name);

// Fills `profiles` with the decoded names of the profile subkeys, in enumeration order, and
// `defaultName` with the "DefaultProfile" value as read. The subkeys are listed only when
// that value can be read. Registry failures are told to the user in a message box (the
// registry's error text) and leave what was found so far.
void ListProfiles(std::vector<std::string>& profiles, std::string& defaultName);
// The same over the profiles key at `keyPath` under HKEY_CURRENT_USER.
void ListProfiles(const std::string& keyPath, std::vector<std::string>& profiles,
                  std::string& defaultName);

}  // namespace mapi
