#pragma once
// The Windows error codes the key store answers with when SQLite reports a failure,
// and the few codes of the registry functions that Registry.h does not list.

#include "platform/Registry.h"

namespace platform::sqlitestore {

// Codes advapi32 returns that only the substitute store needs to name.
constexpr LSTATUS kBadPathname = 161;  // ERROR_BAD_PATHNAME: a path with a leading backslash
constexpr LSTATUS kNoAccess = 998;     // ERROR_NOACCESS: data pointer null with a byte count
constexpr LSTATUS kKeyDeleted = 1018;  // ERROR_KEY_DELETED: the key went away under a handle

enum class Purpose { Reading, Writing };

// Maps an SQLite result code to the registry's error code for an operation that was
// reading or writing: a lock held past the timeout or an I/O failure becomes
// ERROR_CANTREAD / ERROR_CANTWRITE, a damaged file ERROR_REGISTRY_CORRUPT, a file that
// is no database ERROR_BADDB.
LSTATUS toWinError(int sqliteCode, Purpose purpose);

}  // namespace platform::sqlitestore
