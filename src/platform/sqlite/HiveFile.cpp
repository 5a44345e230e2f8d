#include "platform/sqlite/HiveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform::sqlitestore {

namespace {

bool isWritable(const std::filesystem::path& path) {
    return access(path.c_str(), W_OK) == 0;
}

// A symbolic link counts as there: it is refused afterwards, never followed or replaced.
bool pathExists(const std::filesystem::path& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool ownedByUs(const struct stat& info, bool rootMayOwn) {
    return info.st_uid == geteuid() || (rootMayOwn && info.st_uid == 0);
}

LSTATUS creationFailure() {
    return errno == EACCES || errno == EPERM || errno == EROFS ? winerror::kAccessDenied
                                                               : winerror::kCantWrite;
}

// mkdir is subject to the umask; the mode is set again so that it is exactly `mode`.
bool makeDirectories(const std::filesystem::path& directory, mode_t mode) {
    std::vector<std::filesystem::path> missing;
    for (auto path = directory; !path.empty() && !pathExists(path); path = path.parent_path()) {
        missing.push_back(path);
        if (path == path.parent_path()) {
            break;
        }
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (mkdir(it->c_str(), mode) != 0) {
            if (errno != EEXIST) {
                return false;
            }
            continue;  // made at the same moment by another process
        }
        chmod(it->c_str(), mode);
    }
    return true;
}

}  // namespace

FileKind probeHiveFile(const std::filesystem::path& file, bool rootMayOwn) {
    struct stat directory {};
    if (lstat(file.parent_path().c_str(), &directory) == 0) {
        if (S_ISLNK(directory.st_mode) ||
            (S_ISDIR(directory.st_mode) && !ownedByUs(directory, rootMayOwn))) {
            return FileKind::Refused;
        }
    }
    struct stat info {};
    if (lstat(file.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Unreachable;
    }
    if (S_ISLNK(info.st_mode)) {
        return FileKind::Refused;
    }
    if (!S_ISREG(info.st_mode)) {
        return FileKind::Unusable;
    }
    if (!ownedByUs(info, rootMayOwn)) {
        return FileKind::Refused;
    }
    return info.st_size == 0 ? FileKind::Empty : FileKind::Regular;
}

bool mayWriteHiveFile(const std::filesystem::path& file) {
    // The directory must be writable too: SQLite keeps its journal beside the file.
    auto directory = file.parent_path();
    if (pathExists(file)) {
        return isWritable(file) && isWritable(directory);
    }
    while (!directory.empty() && !pathExists(directory)) {
        if (directory == directory.parent_path()) {
            return false;
        }
        directory = directory.parent_path();
    }
    return !directory.empty() && isWritable(directory);
}

LSTATUS createHiveFile(const std::filesystem::path& file, bool ownerOnly, bool rootMayOwn) {
    const mode_t directoryMode = ownerOnly ? 0700 : 0755;
    const mode_t fileMode = ownerOnly ? 0600 : 0644;
    if (!makeDirectories(file.parent_path(), directoryMode)) {
        return creationFailure();
    }
    if (probeHiveFile(file, rootMayOwn) == FileKind::Refused) {
        return winerror::kAccessDenied;
    }
    const int fd =
        open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, fileMode);
    if (fd < 0) {
        return errno == EEXIST ? winerror::kSuccess : creationFailure();
    }
    fchmod(fd, fileMode);
    close(fd);
    return winerror::kSuccess;
}

}  // namespace platform::sqlitestore
