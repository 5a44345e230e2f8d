#pragma once
// The file system side of a hive: what is on disk, whether this process may change it,
// and making the file with the right permissions. SQLite never creates a hive file.

#include <filesystem>

#include "platform/Registry.h"

namespace platform::sqlitestore {

enum class FileKind {
    Missing,      // neither the file nor perhaps its directory exists
    Empty,        // a file of 0 bytes, which may be laid out as a new hive
    Regular,      // a file with contents
    Unusable,     // a directory, device or pipe where the file should be
    Unreachable,  // cannot be looked at (a directory on the way denies access)
};

FileKind probeHiveFile(const std::filesystem::path& file);

// Whether this process could write the file, or create it and its missing directories.
bool mayWriteHiveFile(const std::filesystem::path& file);

// Creates the missing directories and an empty file with owner-only permissions (0700
// and 0600) or world-readable ones (0755 and 0644). An existing file is left alone.
LSTATUS createHiveFile(const std::filesystem::path& file, bool ownerOnly);

}  // namespace platform::sqlitestore
