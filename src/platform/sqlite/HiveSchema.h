#pragma once
// The layout of a hive file, and how a file is recognised as one of ours.
//
// A key is a row of reg_keys: its name as first spelled (ANSI bytes) and its path from
// the hive's root folded to upper case, which makes a lookup one index probe and keeps
// siblings in the order the registry enumerates them. A value is a row of reg_values
// holding its type and its exact bytes; its row id keeps the order of creation.

#include <cstdint>

namespace platform::sqlitestore {

class Connection;

// PRAGMA application_id of a hive ("QBRG") and PRAGMA user_version of this layout.
constexpr std::int32_t kApplicationId = 0x51425247;
constexpr std::int64_t kSchemaVersion = 1;
// The hive's root key, which always exists.
constexpr std::int64_t kRootKeyId = 1;

enum class HiveState {
    Ours,     // a hive of this layout
    Empty,    // an empty file or a database without tables: may be laid out as a new hive
    Foreign,  // a database of some other program, or of a later layout
    Damaged,  // marked as ours but incomplete or inconsistent
};

// Looks at the file behind an open connection without changing it. Returns an SQLite
// result code; SQLITE_NOTADB for a file that is no database at all.
int inspectHive(Connection& connection, HiveState& state);

// Lays out a new hive. Call inside a write transaction, after inspectHive found Empty.
int createHiveSchema(Connection& connection);

}  // namespace platform::sqlitestore
