#pragma once
// A fixture for tests of the SQLite key store itself: hive files in a scratch directory
// of their own, registry objects made directly on them (each one stands for a process),
// and small helpers to look at the files and values.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/sqlite/SqliteRegistry.h"
#include "support/ScratchDir.h"

namespace sqlitestoretest {

using namespace platform;
using namespace platform::winerror;
namespace fs = std::filesystem;

const std::string kKey = "Software\\Orvane\\Quillbell";

class SqliteStoreTest : public ::testing::Test {
protected:
    ~SqliteStoreTest() override {
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    HiveFiles hiveFiles(bool machineReadOnly = false) const {
        return {userFile_, machineFile_, machineReadOnly};
    }
    std::unique_ptr<SqliteRegistry> makeRegistry(
        bool machineReadOnly = false,
        std::chrono::milliseconds busyTimeout = SqliteRegistry::kDefaultBusyTimeout) const {
        return std::make_unique<SqliteRegistry>(hiveFiles(machineReadOnly), busyTimeout);
    }

    const fs::path scratch_ = testsupport::makeScratchDir();
    const fs::path userFile_ =
        scratch_ / "home" / ".config" / "Orvane" / "Quillbell" / "user-registry.sqlite3";
    const fs::path machineFile_ =
        scratch_ / "xdg" / "Orvane" / "Quillbell" / "machine-registry.sqlite3";
};

// Creates the key (expecting success) and returns its handle, opened with 0x3F.
inline HKEY createKey(Registry& registry, HKEY root, const std::string& path) {
    HKEY key = 0;
    EXPECT_EQ(registry.CreateKeyEx(root, path, kKeyWriteAccess, &key, nullptr), 0) << path;
    return key;
}

// Opens the key, or creates it, and closes it again: the status, with the handle checked
// to be 0 exactly when the call failed.
inline LSTATUS openStatus(Registry& registry, HKEY root, const std::string& path,
                          std::uint32_t access = kKeyRead, bool create = false) {
    HKEY key = 0xbad;
    const LSTATUS status = create ? registry.CreateKeyEx(root, path, access, &key, nullptr)
                                  : registry.OpenKeyEx(root, path, access, &key);
    EXPECT_EQ(key == 0, status != 0) << path;
    registry.CloseKey(key);
    return status;
}

// Stores the text with its terminating NUL as REG_SZ, the way the program writes.
inline LSTATUS setText(Registry& registry, HKEY key, const std::string& name,
                       const std::string& text) {
    return registry.SetValueEx(key, name, regtype::kSz,
                               reinterpret_cast<const std::uint8_t*>(text.c_str()),
                               static_cast<std::uint32_t>(text.size() + 1));
}

// Text as the program stores it: with its terminating NUL.
inline std::string sz(const std::string& text) {
    return text + '\0';
}

// Opens the key for reading and returns the stored bytes, or nothing with `status` set.
inline std::optional<std::string> readBytes(Registry& registry, HKEY root, const std::string& path,
                                            const std::string& name, LSTATUS* status = nullptr) {
    HKEY key = 0;
    std::string bytes(256, '\0');
    auto size = static_cast<std::uint32_t>(bytes.size());
    LSTATUS result = registry.OpenKeyEx(root, path, kKeyRead, &key);
    if (result == 0) {
        result = registry.QueryValueEx(key, name, nullptr,
                                       reinterpret_cast<std::uint8_t*>(bytes.data()), &size);
        registry.CloseKey(key);
    }
    if (status != nullptr) {
        *status = result;
    }
    bytes.resize(size);
    return result == 0 ? std::optional<std::string>(bytes) : std::nullopt;
}

inline LSTATUS readStatus(Registry& registry, HKEY root, const std::string& path,
                          const std::string& name) {
    LSTATUS status = 0;
    readBytes(registry, root, path, name, &status);
    return status;
}

// A value that tells its writer's generation, with a filler whose length changes with it.
inline std::string generationText(int generation, int slot) {
    return std::to_string(generation) + ":" + std::to_string(slot) + ":" +
           std::string(static_cast<std::size_t>((generation * 7 + slot * 13) % 200), 'x');
}

// Writes that generation of the values "0" to slots-1, in that order; the first failure.
inline LSTATUS writeGeneration(Registry& registry, HKEY key, int slots, int generation) {
    for (int slot = 0; slot < slots; ++slot) {
        if (const LSTATUS status =
                setText(registry, key, std::to_string(slot), generationText(generation, slot))) {
            return status;
        }
    }
    return 0;
}

// The generation of the value of that slot, 0 for none, -1 when not what
// generationText wrote.
inline int generationAt(Registry& registry, HKEY root, int slot) {
    const auto bytes = readBytes(registry, root, kKey, std::to_string(slot));
    if (!bytes) {
        return 0;
    }
    const int generation = std::atoi(bytes->c_str());
    return generation > 0 && *bytes == sz(generationText(generation, slot)) ? generation : -1;
}

// Runs `body` in a child process that exits with its result. Call with no registry
// open: a child must not share SQLite connections.
inline pid_t forkChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(body());
    }
    return child;
}

// The exit status of a child that ended by itself, -1 when it was killed.
inline int waitForChild(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

inline std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFileBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Every path below `directory`, relative to it, sorted.
inline std::vector<std::string> treeBelow(const fs::path& directory) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        paths.push_back(fs::relative(entry.path(), directory).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline unsigned permissionsOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << "no such file: " << path;
    return info.st_mode & 07777;
}

}  // namespace sqlitestoretest
