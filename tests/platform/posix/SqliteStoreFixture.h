#pragma once
// Hive files in a scratch directory and registry objects on them, each standing for a process.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

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

    std::unique_ptr<SqliteRegistry> makeRegistry(
        bool machineReadOnly = false,
        std::chrono::milliseconds busyTimeout = SqliteRegistry::kDefaultBusyTimeout) const {
        return std::make_unique<SqliteRegistry>(HiveFiles{userFile_, machineFile_, machineReadOnly},
                                                busyTimeout);
    }

    const fs::path scratch_ = testsupport::makeScratchDir();
    const fs::path userFile_ =
        scratch_ / "home" / ".config" / "Orvane" / "Quillbell" / "user-registry.sqlite3";
    const fs::path machineFile_ =
        scratch_ / "xdg" / "Orvane" / "Quillbell" / "machine-registry.sqlite3";
};

inline HKEY createKey(Registry& registry, HKEY root, const std::string& path) {
    HKEY key = 0;
    EXPECT_EQ(registry.CreateKeyEx(root, path, kKeyWriteAccess, &key, nullptr), 0) << path;
    return key;
}

// Opens or creates the key and closes it again; the handle must be 0 exactly on failure.
inline LSTATUS openStatus(Registry& registry, HKEY root, const std::string& path,
                          std::uint32_t access = kKeyRead, bool create = false) {
    HKEY key = 0xbad;
    const LSTATUS status = create ? registry.CreateKeyEx(root, path, access, &key, nullptr)
                                  : registry.OpenKeyEx(root, path, access, &key);
    EXPECT_EQ(key == 0, status != 0) << path;
    registry.CloseKey(key);
    return status;
}

// REG_SZ with its terminating NUL, the way the program writes text.
inline LSTATUS setText(Registry& registry, HKEY key, const std::string& name,
                       const std::string& text) {
    return registry.SetValueEx(key, name, regtype::kSz,
                               reinterpret_cast<const std::uint8_t*>(text.c_str()),
                               static_cast<std::uint32_t>(text.size() + 1));
}

inline std::string sz(const std::string& text) {
    return text + '\0';
}

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

using testsupport::fileBytes;

inline void writeFileBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace sqlitestoretest
