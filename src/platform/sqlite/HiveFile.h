#pragma once
// The file system side of a hive: what is on disk, whether this process may change it,
// and making the file with the right permissions. SQLite never creates a hive file.
//
// As ssh does with its own files, a hive is only used where its directory and file are
// what they claim to be: no symbolic link in their place, and owned by the user running
// the program (or root, where `rootMayOwn`, for the hive the installation writes).

#include <filesystem>

#include "platform/Registry.h"

namespace platform::sqlitestore {

enum class FileKind {
    Missing,      // neither the file nor perhaps its directory exists
    Empty,        // a file of 0 bytes, which may be laid out as a new hive
    Regular,      // a file with contents
    Unusable,     // a directory, device or pipe where the file should be
    Unreachable,  // cannot be looked at (a directory on the way denies access)
    Refused,      // a symbolic link, or owned by someone else
};

FileKind probeHiveFile(const std::filesystem::path& file, bool rootMayOwn);

// Whether this process could write the file, or create it and its missing directories.
bool mayWriteHiveFile(const std::filesystem::path& file);

// Creates the missing directories and an empty file with owner-only permissions (0700
// and 0600) or world-readable ones (0755 and 0644), never through a symbolic link. An
// existing file is left alone. ERROR_ACCESS_DENIED for a directory probeHiveFile refuses.
LSTATUS createHiveFile(const std::filesystem::path& file, bool ownerOnly, bool rootMayOwn);

}  // namespace platform::sqlitestore
