#pragma once
// The open key handles of one registry object: small non-zero numbers, each standing
// for a key of a hive and the rights it was opened with. Looking one up is an index
// into a vector.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform::sqlitestore {

class Hive;

struct KeyHandle {
    Hive* hive = nullptr;
    std::int64_t keyId = 0;
    std::string path;  // folded path from the hive's root, for opening relative to it
    std::uint32_t access = 0;
};

class HandleTable {
public:
    // Handles are multiples of 4, like the kernel's, far below the values of the roots.
    HKEY add(KeyHandle handle);
    // Null for 0, a root, or a handle that is not open.
    const KeyHandle* find(HKEY key) const;
    // False when the handle was not open.
    bool remove(HKEY key);

private:
    std::vector<std::optional<KeyHandle>> slots_;
    std::vector<std::size_t> free_;
};

}  // namespace platform::sqlitestore
