#pragma once
// The registry on systems without one: two SQLite hive files standing in for
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, answering the ANSI registry functions with
// the status codes, byte counts and handles that advapi32 gives.
//
// Keys and values compare without regard to letter case and keep the spelling first
// used; a value keeps its type and its exact bytes. Each set and delete commits on its
// own unless BeginWrites groups them, and other processes (the notifier, a second instance) may use the same files at
// the same time. A machine hive this process may not write is opened read-only, and
// opening a key there for writing is ERROR_ACCESS_DENIED, as on Windows without
// administrator rights.

#include <chrono>
#include <memory>
#include <mutex>

#include "platform/Registry.h"
#include "platform/sqlite/HandleTable.h"
#include "platform/sqlite/HiveFiles.h"

namespace platform {

class SqliteRegistry final : public Registry {
public:
    // How long a call waits for another process's lock before it gives up with
    // ERROR_CANTREAD or ERROR_CANTWRITE; reads of the machine hive wait five times as long.
    static constexpr std::chrono::milliseconds kDefaultBusyTimeout{2000};

    explicit SqliteRegistry(HiveFiles files,
                            std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);
    ~SqliteRegistry() override;
    SqliteRegistry(const SqliteRegistry&) = delete;
    SqliteRegistry& operator=(const SqliteRegistry&) = delete;

    LSTATUS CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access, HKEY* result,
                        std::uint32_t* disposition) override;
    LSTATUS OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                      HKEY* result) override;
    LSTATUS SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t count) override;
    LSTATUS QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* count) override;
    LSTATUS DeleteValue(HKEY key, const std::string& name) override;
    LSTATUS DeleteKey(HKEY key, const std::string& subKey) override;
    LSTATUS CloseKey(HKEY key) override;
    LSTATUS QueryInfoKey(HKEY key, KeyInfo* info) override;
    LSTATUS EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen, char* cls,
                      std::uint32_t* classLen) override;
    LSTATUS EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) override;
    LSTATUS BeginWrites(HKEY root) override;
    LSTATUS EndWrites(HKEY root, bool keep) override;

private:
    // The key behind a root or an open handle; null for anything else.
    const sqlitestore::KeyHandle* resolve(HKEY key) const;
    LSTATUS openForReading(HKEY key, std::uint32_t right, const sqlitestore::KeyHandle*& handle,
                           bool& present);
    LSTATUS openKey(HKEY base, const std::string& path, std::uint32_t access, bool create,
                    HKEY* result, std::uint32_t* disposition);

    std::mutex mutex_;
    std::unique_ptr<sqlitestore::Hive> userHive_;
    std::unique_ptr<sqlitestore::Hive> machineHive_;
    sqlitestore::KeyHandle userRoot_;
    sqlitestore::KeyHandle machineRoot_;
    sqlitestore::HandleTable handles_;
};

}  // namespace platform
