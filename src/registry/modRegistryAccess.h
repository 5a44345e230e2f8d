#pragma once
// The thin, stateless layer through which every setting is read and written.
// Each keyed operation opens its key, does one thing and closes it again; failures
// are swallowed (a missing or unreadable value reads as Empty, a failed write is lost).
// Text crosses to the platform in the ANSI code page and comes back as UTF-8.

#include <cstdint>
#include <string>

#include "platform/Registry.h"
#include "registry/RegValue.h"

namespace modRegistryAccess {

enum class RootHive : std::uint32_t {
    HKEY_CURRENT_USER = 0x80000001,
    HKEY_LOCAL_MACHINE = 0x80000002,
};

// Opens the key, creating it if missing; an existing key keeps its values.
void CreateRegKey(RootHive root, const std::string& path);
// Writes one value under an existing key; nothing happens when the key is missing.
void WriteRegValue(RootHive root, const std::string& path, const std::string& name,
                   const RegValue& value, std::int32_t type);
// Reads one value: its text, its integer, or Empty when missing or unreadable.
RegValue ReadRegValue(RootHive root, const std::string& path, const std::string& name);
// Deletes one value; a missing key or value changes nothing.
void DeleteRegValue(RootHive root, const std::string& path, const std::string& name);

// Writes on a key the caller opened. Type 1 stores the text with one terminating NUL,
// type 4 the integer; any other type writes nothing and returns 0.
RegStatus WriteOpenKeyValue(platform::HKEY key, const std::string& name, std::int32_t type,
                            const RegValue& value);
// Reads from a key the caller opened. `out` changes only as the status rules allow:
// a missing value (2), handle 0 (6) or an unsupported type (-1) leave it untouched.
RegStatus ReadOpenKeyValue(platform::HKEY key, const std::string& name, RegValue& out);

}  // namespace modRegistryAccess
