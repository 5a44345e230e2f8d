#pragma once
// Where the settings live: the hives, keys and value names that this program and the
// notifier share. Changing any of them breaks every store already written.

#include "registry/modRegistryAccess.h"

namespace store::schema {

inline constexpr auto kUserHive = modRegistryAccess::RootHive::HKEY_CURRENT_USER;
inline constexpr auto kMachineHive = modRegistryAccess::RootHive::HKEY_LOCAL_MACHINE;

// The per-user keys, created top down because the registry layer opens without creating.
inline constexpr const char* kVendorKey = "Software\\Orvane";
inline constexpr const char* kProductKey = "Software\\Orvane\\Quillbell";
// Every configuration, as values named after the field and the slot (not as subkeys).
inline constexpr const char* kProfilesKey = "Software\\Orvane\\Quillbell\\Profiles";
// The installation's key under the machine-wide hive has the product key's path.
inline constexpr const char* kMachineKey = kProductKey;

// Per-user global values, in the product key.
inline constexpr const char* kExternLang = "ExternLang";
inline constexpr const char* kRunAtStartup = "RunAtStartup";
inline constexpr const char* kConfNumber = "ConfNumber";
inline constexpr const char* kLastID = "LastID";
inline constexpr const char* kConfigured = "Configured";

// Machine-wide values, written by the installation except for Version.
inline constexpr const char* kHomeDir = "HomeDir";
inline constexpr const char* kWorkMode = "WorkMode";  // followed by the server type 0 to 3
inline constexpr int kServerTypeCount = 4;
inline constexpr const char* kVersion = "Version";
inline constexpr const char* kVersionText = "1.0";

// Slots are 16-bit signed numbers, so at most this many configurations can be listed.
inline constexpr int kMaxConfigurations = 32767;

}  // namespace store::schema
