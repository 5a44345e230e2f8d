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

void runSql(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

class HiveSafety : public SqliteStoreTest {
protected:
    // A sound hive with one value, written by a registry that is gone again (its WAL
    // checkpointed into the file).
    void makeHive(HKEY root, const std::string& name, const std::string& text) {
        auto registry = makeRegistry();
        const HKEY key = createKey(*registry, root, kKey);
        ASSERT_EQ(setText(*registry, key, name, text), 0);
        registry->CloseKey(key);
    }

    // A foreign WAL database left as its owner crashed: its last commit sits in the -wal
    // file only. The last writable connection to close would fold that into the file.
    void makeForeignDatabaseWithWal() {
        std::filesystem::create_directories(userFile_.parent_path());
        sqlite3* owner = nullptr;
        ASSERT_EQ(sqlite3_open(userFile_.c_str(), &owner), SQLITE_OK);
        sqlite3_db_config(owner, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        ASSERT_EQ(sqlite3_exec(owner,
                               "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                               "CREATE TABLE notes(body TEXT); INSERT INTO notes VALUES('mine');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(owner);
        ASSERT_GT(std::filesystem::file_size(walOf(userFile_)), 0u);
    }

    static std::filesystem::path walOf(std::filesystem::path file) { return file += "-wal"; }
    static std::string bytesOf(const std::filesystem::path& file) {
        return std::filesystem::is_regular_file(file) ? fileBytes(file) : std::string();
    }

    // Runs every kind of call against the user hive of a fresh registry and expects each
    // to fail with `expected`; neither the file nor its WAL may change at all.
    void expectEveryCallFailsUntouched(LSTATUS expected) {
        const std::string before = bytesOf(userFile_);
        const std::string walBefore = bytesOf(walOf(userFile_));
        auto registry = makeRegistry(false, std::chrono::milliseconds(100));
        const HKEY root = kHkeyCurrentUser;
        HKEY key = 0xbad;
        EXPECT_EQ(registry->OpenKeyEx(root, kKey, kKeyRead, &key), expected);
        EXPECT_EQ(key, 0u);
        EXPECT_EQ(registry->CreateKeyEx(root, kKey + "\\New", kKeyWriteAccess, &key, nullptr),
                  expected);
        EXPECT_EQ(key, 0u);
        EXPECT_EQ(setText(*registry, root, "Planted", "x"), expected);
        std::uint32_t size = 0;
        EXPECT_EQ(registry->QueryValueEx(root, "Planted", nullptr, nullptr, &size), expected);
        EXPECT_EQ(registry->DeleteValue(root, "Planted"), expected);
        KeyInfo info;
        EXPECT_EQ(registry->QueryInfoKey(root, &info), expected);
        char name[32];
        std::uint32_t nameLen = sizeof name;
        EXPECT_EQ(registry->EnumKeyEx(root, 0, name, &nameLen, nullptr, nullptr), expected);
        // The machine hive is a separate file and still works.
        const HKEY machine = createKey(*registry, kHkeyLocalMachine, kKey);
        EXPECT_EQ(setText(*registry, machine, "Version", "1"), 0);
        registry.reset();
        EXPECT_EQ(bytesOf(userFile_), before) << "the file must keep every byte";
        EXPECT_EQ(bytesOf(walOf(userFile_)), walBefore);
    }
};

TEST_F(HiveSafety, AnUnusableUserHiveFailsEveryCallAndKeepsItsBytes) {
    auto overwritePage = [this] {
        // Scribble over the second page, where the key table's b-tree starts.
        std::string bytes = fileBytes(userFile_);
        ASSERT_GT(bytes.size(), 8192u);
        bytes.replace(4096, 64, 64, static_cast<char>(0xA5));
        writeFileBytes(userFile_, bytes);
    };
    const struct {
        const char* what;
        bool onSoundHive;
        std::function<void()> damage;
        LSTATUS expected;
    } cases[] = {
        {"text file", false,
         [this] { writeFileBytes(userFile_, "[Settings]\nConfNumber=2\nsomebody's text\n"); },
         winerror::kBadDb},
        {"foreign database with uncheckpointed WAL", false,
         [this] { makeForeignDatabaseWithWal(); }, winerror::kBadDb},
        {"hive of a later layout, left to the program that wrote it", true,
         [this] { runSql(userFile_, "PRAGMA user_version = 2"); }, winerror::kBadDb},
        {"damaged page", true, overwritePage, winerror::kRegistryCorrupt},
        {"truncated", true,
         [this] { writeFileBytes(userFile_, fileBytes(userFile_).substr(0, 4096 + 100)); },
         winerror::kRegistryCorrupt},
        {"directory in its place", false,
         [this] { std::filesystem::create_directories(userFile_); }, winerror::kCantOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(userFile_.parent_path());
        if (c.onSoundHive) {
            makeHive(kHkeyCurrentUser, "ConfNumber", "2");
        }
        c.damage();
        expectEveryCallFailsUntouched(c.expected);
        if (std::filesystem::is_directory(userFile_)) {
            EXPECT_TRUE(std::filesystem::is_empty(userFile_));
        }
    }
}

TEST_F(HiveSafety, AWriteLockHeldPastTheTimeoutIsCantWriteAndReadsGoOn) {
    makeHive(kHkeyCurrentUser, "ConfNumber", "2");
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
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "ConfNumber"), sz("2"));

    ASSERT_EQ(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(setText(*registry, key, "ConfNumber", "3"), 0);
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "ConfNumber"), sz("3"));
}

TEST_F(HiveSafety, AnExclusiveLockOnTheMachineHiveIsCantReadUntilReleased) {
    makeHive(kHkeyLocalMachine, "HomeDir", "/opt/quillbell");
    const std::string before = fileBytes(machineFile_);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(machineFile_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    auto registry = makeRegistry(false, std::chrono::milliseconds(100));
    EXPECT_EQ(readStatus(*registry, kHkeyLocalMachine, kKey, "HomeDir"), winerror::kCantRead);
    EXPECT_EQ(fileBytes(machineFile_), before);

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // A failed open is tried again on the next call.
    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"), sz("/opt/quillbell"));
}

// A writer killed while committing leaves the file with some new pages and the journal
// of the old ones: made here on a copy whose transaction spills into its file.
TEST_F(HiveSafety, AnInterruptedCommitIsRolledBackByWhoMayWriteAndRefusedToTheOthers) {
    makeHive(kHkeyLocalMachine, "HomeDir", "/opt/quillbell");
    const auto copy = scratch_ / "copy";
    const std::string journal = machineFile_.string() + "-journal";
    std::filesystem::copy_file(machineFile_, copy);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(copy.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA cache_size = 1; BEGIN; UPDATE reg_values SET data = x'00';"
                           "INSERT INTO reg_values(key_id, name, fold, type, data) "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                           "WHERE i < 40) SELECT 1, i, i, 3, zeroblob(4000) FROM n",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    std::filesystem::copy_file(copy, machineFile_,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(copy.string() + "-journal", journal);
    sqlite3_close(db);
    const std::string before = fileBytes(machineFile_) + fileBytes(journal);

    auto reader = makeRegistry(true, std::chrono::milliseconds(100));
    EXPECT_EQ(readStatus(*reader, kHkeyLocalMachine, kKey, "HomeDir"), winerror::kAccessDenied);
    reader.reset();
    EXPECT_EQ(fileBytes(machineFile_) + fileBytes(journal), before);

    auto registry = makeRegistry();
    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"), sz("/opt/quillbell"));
    EXPECT_FALSE(std::filesystem::exists(journal));
    EXPECT_EQ(setText(*registry, kHkeyLocalMachine, "Version", "2"), 0);
}

}  // namespace
}  // namespace sqlitestoretest
