// A hive file that is damaged, foreign, garbage or locked is never written: every call on
// it fails with a registry error code and the file keeps every byte it had.

#include <sqlite3.h>

#include <functional>
#include <string>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kKey = "Software\\Orvane\\Quillbell";

class HiveSafety : public SqliteStoreTest {
protected:
    // A sound user hive with one value, written by a registry that is gone again (its
    // WAL checkpointed into the file).
    void makeUserHive() {
        auto registry = makeRegistry();
        const HKEY key = createKey(*registry, kHkeyCurrentUser, kKey);
        ASSERT_EQ(setText(*registry, key, "ConfNumber", "2"), 0);
        registry->CloseKey(key);
    }

    // Runs every kind of call against the user hive of a fresh registry and expects each
    // to fail with `expected`; the file must not change at all.
    void expectEveryCallFailsUntouched(LSTATUS expected) {
        const std::string before = fileBytes(userFile_);
        auto registry = makeRegistry(false, std::chrono::milliseconds(100));
        HKEY key = 0xbad;
        EXPECT_EQ(registry->OpenKeyEx(kHkeyCurrentUser, kKey, kKeyRead, &key), expected);
        EXPECT_EQ(key, 0u);
        EXPECT_EQ(
            registry->CreateKeyEx(kHkeyCurrentUser, kKey + "\\New", kKeyWriteAccess, &key, nullptr),
            expected);
        EXPECT_EQ(key, 0u);
        EXPECT_EQ(setText(*registry, kHkeyCurrentUser, "Planted", "x"), expected);
        std::uint32_t size = 0;
        EXPECT_EQ(registry->QueryValueEx(kHkeyCurrentUser, "Planted", nullptr, nullptr, &size),
                  expected);
        EXPECT_EQ(registry->DeleteValue(kHkeyCurrentUser, "Planted"), expected);
        KeyInfo info;
        EXPECT_EQ(registry->QueryInfoKey(kHkeyCurrentUser, &info), expected);
        char name[32];
        std::uint32_t nameLen = sizeof name;
        EXPECT_EQ(registry->EnumKeyEx(kHkeyCurrentUser, 0, name, &nameLen, nullptr, nullptr),
                  expected);
        registry.reset();
        EXPECT_EQ(fileBytes(userFile_), before) << "the file must keep every byte";
    }
};

TEST_F(HiveSafety, AFileThatIsNoDatabaseIsBadDb) {
    writeFileBytes(userFile_, "[Settings]\nConfNumber=2\nThis is somebody's text file.\n");
    expectEveryCallFailsUntouched(winerror::kBadDb);
    // The machine hive is a separate file and still works.
    auto registry = makeRegistry();
    HKEY key = createKey(*registry, kHkeyLocalMachine, kKey);
    EXPECT_EQ(setText(*registry, key, "Version", "1"), 0);
}

TEST_F(HiveSafety, AnotherProgramsDatabaseIsBadDbEvenWithUncheckpointedWal) {
    // A foreign WAL database left as its owner crashed: its last commit sits in the -wal
    // file only. The last writable connection to close would fold that into the file.
    std::filesystem::create_directories(userFile_.parent_path());
    auto wal = userFile_;
    wal += "-wal";
    const auto saved = scratch_ / "saved";
    sqlite3* owner = nullptr;
    ASSERT_EQ(sqlite3_open(userFile_.c_str(), &owner), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(owner,
                           "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                           "CREATE TABLE notes(body TEXT); INSERT INTO notes VALUES('mine');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    std::filesystem::copy_file(userFile_, saved);
    auto savedWal = saved;
    savedWal += "-wal";
    std::filesystem::copy_file(wal, savedWal);
    sqlite3_close(owner);
    std::filesystem::copy_file(saved, userFile_, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(savedWal, wal, std::filesystem::copy_options::overwrite_existing);
    ASSERT_GT(std::filesystem::file_size(wal), 0u);

    expectEveryCallFailsUntouched(winerror::kBadDb);
    EXPECT_EQ(fileBytes(wal), fileBytes(savedWal));
}

TEST_F(HiveSafety, AHiveOfALaterLayoutIsLeftToTheProgramThatWroteIt) {
    makeUserHive();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(userFile_.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 2", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    expectEveryCallFailsUntouched(winerror::kBadDb);
}

TEST_F(HiveSafety, ADamagedPageMakesTheHiveCorrupt) {
    makeUserHive();
    std::string bytes = fileBytes(userFile_);
    ASSERT_GT(bytes.size(), 8192u);
    // Scribble over the second page, where the key table's b-tree starts.
    for (std::size_t i = 4096; i < 4096 + 64; ++i) {
        bytes[i] = static_cast<char>(0xA5);
    }
    writeFileBytes(userFile_, bytes);
    expectEveryCallFailsUntouched(winerror::kRegistryCorrupt);
}

TEST_F(HiveSafety, ATruncatedHiveIsCorrupt) {
    makeUserHive();
    const std::string bytes = fileBytes(userFile_);
    writeFileBytes(userFile_, bytes.substr(0, 4096 + 100));
    expectEveryCallFailsUntouched(winerror::kRegistryCorrupt);
}

TEST_F(HiveSafety, ADirectoryWhereTheFileShouldBeCannotBeOpened) {
    std::filesystem::create_directories(userFile_);
    auto registry = makeRegistry();
    HKEY key = 0;
    EXPECT_EQ(registry->OpenKeyEx(kHkeyCurrentUser, kKey, kKeyRead, &key), winerror::kCantOpen);
    EXPECT_EQ(registry->CreateKeyEx(kHkeyCurrentUser, kKey, kKeyWriteAccess, &key, nullptr),
              winerror::kCantOpen);
    EXPECT_TRUE(std::filesystem::is_empty(userFile_));
}

TEST_F(HiveSafety, AWriteLockHeldPastTheTimeoutIsCantWriteAndReadsGoOn) {
    makeUserHive();
    auto registry = makeRegistry(false, std::chrono::milliseconds(100));
    const HKEY key = createKey(*registry, kHkeyCurrentUser, kKey);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(userFile_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(setText(*registry, key, "ConfNumber", "3"), winerror::kCantWrite);
    HKEY created = 0;
    EXPECT_EQ(registry->CreateKeyEx(kHkeyCurrentUser, kKey + "\\Profiles", kKeyWriteAccess,
                                    &created, nullptr),
              winerror::kCantWrite);
    // WAL readers do not wait for writers.
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "ConfNumber"), std::string("2\0", 2));

    ASSERT_EQ(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(setText(*registry, key, "ConfNumber", "3"), 0);
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "ConfNumber"), std::string("3\0", 2));
}

TEST_F(HiveSafety, AnExclusiveLockOnTheMachineHiveIsCantReadUntilReleased) {
    {
        auto registry = makeRegistry();
        const HKEY key = createKey(*registry, kHkeyLocalMachine, kKey);
        ASSERT_EQ(setText(*registry, key, "HomeDir", "/opt/quillbell"), 0);
        registry->CloseKey(key);
    }
    const std::string before = fileBytes(machineFile_);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(machineFile_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    auto registry = makeRegistry(false, std::chrono::milliseconds(100));
    LSTATUS status = 0;
    EXPECT_FALSE(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir", &status).has_value());
    EXPECT_EQ(status, winerror::kCantRead);
    EXPECT_EQ(fileBytes(machineFile_), before);

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // A failed open is tried again on the next call.
    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"),
              std::string("/opt/quillbell\0", 15));
}

}  // namespace
}  // namespace sqlitestoretest
