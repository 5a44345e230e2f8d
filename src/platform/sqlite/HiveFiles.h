#pragma once
// Where the two hives of the SQLite key store live on a system without a registry.
//
//   HKEY_CURRENT_USER   ${XDG_CONFIG_HOME:-$HOME/.config}/Orvane/Quillbell/user-registry.sqlite3
//   HKEY_LOCAL_MACHINE  <first of
//   ${XDG_CONFIG_DIRS:-/etc/xdg}>/Orvane/Quillbell/machine-registry.sqlite3
//
// The per-user file holds enciphered passwords: its directories are made 0700 and the
// file 0600. The machine-wide ones are made 0755 and 0644 so that every user can read
// what the installation wrote.

#include <filesystem>

namespace platform {

struct HiveFiles {
    std::filesystem::path userFile;
    std::filesystem::path machineFile;
    // Opens the machine hive read-only whatever the file permissions say (tests run as
    // root, where permissions cannot show it).
    bool machineReadOnly = false;
};

// The hive locations for the current environment, read afresh at every call.
HiveFiles defaultHiveFiles();

}  // namespace platform
