#pragma once
// A fixture for tests of the SQLite key store itself: hive files in a scratch directory
// of their own, registry objects made directly on them (each one stands for a process),
// and small helpers to look at the files and values.

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sqlite/SqliteRegistry.h"

namespace sqlitestoretest {

using platform::HKEY;
using platform::LSTATUS;

class SqliteStoreTest : public ::testing::Test {
protected:
    SqliteStoreTest();
    ~SqliteStoreTest() override;

    platform::HiveFiles hiveFiles(bool machineReadOnly = false) const;
    std::unique_ptr<platform::SqliteRegistry> makeRegistry(
        bool machineReadOnly = false, std::chrono::milliseconds busyTimeout =
                                          platform::SqliteRegistry::kDefaultBusyTimeout) const;

    std::filesystem::path scratch_;
    std::filesystem::path userFile_;
    std::filesystem::path machineFile_;
};

// Creates the key (asserting success) and returns its handle, opened with 0x3F.
HKEY createKey(platform::Registry& registry, HKEY root, const std::string& path);
// Stores the text with its terminating NUL as REG_SZ, the way the program writes.
LSTATUS setText(platform::Registry& registry, HKEY key, const std::string& name,
                const std::string& text);
// Opens the key for reading and returns the stored bytes, or nothing with `status` set.
std::optional<std::string> readBytes(platform::Registry& registry, HKEY root,
                                     const std::string& path, const std::string& name,
                                     LSTATUS* status = nullptr);
// The status of that read alone.
LSTATUS readStatus(platform::Registry& registry, HKEY root, const std::string& path,
                   const std::string& name);
// Text as the program stores it: with its terminating NUL.
inline std::string sz(const std::string& text) {
    return text + '\0';
}

// A value that tells its writer's generation, with a filler whose length changes with it.
std::string generationText(int generation, int slot);
// The generation of stored bytes, 0 for none, -1 when not what generationText wrote.
int generationOf(const std::optional<std::string>& bytes, int slot);
// Runs `body` in a child process that exits with its result. Call with no registry
// open: a child must not share SQLite connections.
pid_t forkChild(const std::function<int()>& body);
// The exit status of a child that ended by itself, -1 when it was killed.
int waitForChild(pid_t child);

std::string fileBytes(const std::filesystem::path& file);
void writeFileBytes(const std::filesystem::path& file, const std::string& bytes);
// Every path below `directory`, relative to it, sorted.
std::vector<std::string> treeBelow(const std::filesystem::path& directory);
unsigned permissionsOf(const std::filesystem::path& path);

}  // namespace sqlitestoretest
