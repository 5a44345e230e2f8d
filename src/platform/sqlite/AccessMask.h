#pragma once
// The access rights a key handle carries, as the registry grants and checks them.

#include <cstdint>

namespace platform::sqlitestore {

constexpr std::uint32_t kKeyCreateLink = 0x0020;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
// Rights that change a key or its values; a read-only hive grants none of them.
constexpr std::uint32_t kWritingRights = 0x0002 | 0x0004 | kKeyCreateLink | 0x10000  // DELETE
                                         | 0x40000 | 0x80000;  // WRITE_DAC, WRITE_OWNER

// The specific rights a requested mask stands for: generic rights mapped as Windows
// maps them for keys, MAXIMUM_ALLOWED as all that the hive allows, the WOW64 view
// flags dropped.
std::uint32_t grantedRights(std::uint32_t requested, bool hiveWritable);

}  // namespace platform::sqlitestore
