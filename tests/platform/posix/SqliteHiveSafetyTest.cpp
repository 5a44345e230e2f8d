// A damaged, foreign or locked hive fails every call and keeps every byte it had.

#include <sqlite3.h>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

// Leaves the connection in `keepOpen`, else closes it (without a checkpoint when `crash`).
void runSql(const fs::path& file, const std::string& sql, sqlite3** keepOpen = nullptr,
            bool crash = false) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, crash ? 1 : 0, nullptr);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    if (keepOpen != nullptr) {
        *keepOpen = db;
    } else {
        sqlite3_close(db);
    }
}

class SqliteHiveSafety : public SqliteStoreTest {
protected:
    // A sound hive with one value, its WAL checkpointed into the file.
    void makeHive(HKEY root, const std::string& name, const std::string& text) {
        auto registry = makeRegistry();
        ASSERT_EQ(setText(*registry, createKey(*registry, root, kKey), name, text), 0);
    }

    // Every kind of call on the user hive fails; neither the file nor its WAL changes.
    void expectEveryCallFailsUntouched(LSTATUS expected) {
        const fs::path wal = userFile_.string() + "-wal";
        const std::string before = fileBytes(userFile_) + "|" + fileBytes(wal);
        auto registry = makeRegistry(false, std::chrono::milliseconds(100));
        const HKEY root = kHkeyCurrentUser;
        EXPECT_EQ(openStatus(*registry, root, kKey), expected);
        EXPECT_EQ(openStatus(*registry, root, kKey + "\\New", kKeyWriteAccess, true), expected);
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
        EXPECT_EQ(setText(*registry, createKey(*registry, kHkeyLocalMachine, kKey), "V", "1"), 0);
        registry.reset();
        EXPECT_EQ(fileBytes(userFile_) + "|" + fileBytes(wal), before);
    }
};

TEST_F(SqliteHiveSafety, AnUnusableUserHiveFailsEveryCallAndKeepsItsBytes) {
    // Scribbles over the last page, an index of the values: the keys alone still read.
    const auto damageLastPage = [this] {
        std::string bytes = fileBytes(userFile_);
        ASSERT_GT(bytes.size(), 8192u);
        bytes.replace(bytes.size() - 4096, 64, 64, static_cast<char>(0xA5));
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
         kBadDb},
        // Its last commit only in the -wal, which a closing writable connection would fold in.
        {"foreign database with uncheckpointed WAL", false,
         [this] {
             fs::create_directories(userFile_.parent_path());
             runSql(userFile_,
                    "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                    "CREATE TABLE notes(body TEXT); INSERT INTO notes VALUES('mine');",
                    nullptr, true);
             ASSERT_GT(fs::file_size(userFile_.string() + "-wal"), 0u);
         },
         kBadDb},
        {"hive of a later layout, left to the program that wrote it", true,
         [this] { runSql(userFile_, "PRAGMA user_version = 2"); }, kBadDb},
        {"damaged page", true, damageLastPage, kRegistryCorrupt},
        {"truncated", true,
         [this] { writeFileBytes(userFile_, fileBytes(userFile_).substr(0, 4096 + 100)); },
         kRegistryCorrupt},
        {"directory in its place", false, [this] { fs::create_directories(userFile_); }, kCantOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(scratch_);
        if (c.onSoundHive) {
            makeHive(kHkeyCurrentUser, "ConfNumber", "2");
        }
        c.damage();
        expectEveryCallFailsUntouched(c.expected);
        EXPECT_TRUE(!fs::is_directory(userFile_) || fs::is_empty(userFile_));
    }
}

TEST_F(SqliteHiveSafety, LocksHeldPastTheTimeoutFailCallsUntilReleased) {
    makeHive(kHkeyCurrentUser, "ConfNumber", "2");
    makeHive(kHkeyLocalMachine, "HomeDir", "/opt/quillbell");
    const std::string before = fileBytes(machineFile_);
    sqlite3* user = nullptr;
    sqlite3* machine = nullptr;
    runSql(userFile_, "BEGIN IMMEDIATE", &user);
    runSql(machineFile_, "BEGIN EXCLUSIVE", &machine);
    auto registry = makeRegistry(false, std::chrono::milliseconds(100));
    const HKEY key = createKey(*registry, kHkeyCurrentUser, kKey);
    EXPECT_EQ(setText(*registry, key, "ConfNumber", "3"), kCantWrite);
    EXPECT_EQ(openStatus(*registry, kHkeyCurrentUser, kKey + "\\New", kKeyWriteAccess, true),
              kCantWrite);
    // WAL readers do not wait for writers; the machine hive's rollback journal keeps them out.
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "ConfNumber"), sz("2"));
    EXPECT_EQ(readStatus(*registry, kHkeyLocalMachine, kKey, "HomeDir"), kCantRead);
    EXPECT_EQ(fileBytes(machineFile_), before);

    sqlite3_close(user);  // rolls its transaction back
    sqlite3_close(machine);
    EXPECT_EQ(setText(*registry, key, "ConfNumber", "3"), 0);
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "ConfNumber"), sz("3"));
    // A failed open is tried again on the next call.
    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"), sz("/opt/quillbell"));
}

// A writer killed while committing leaves the file with some new pages and the journal
// of the old ones: made here on a copy whose transaction spills into its file.
TEST_F(SqliteHiveSafety, AnInterruptedCommitIsRolledBackByWhoMayWriteAndRefusedToTheOthers) {
    makeHive(kHkeyLocalMachine, "HomeDir", "/opt/quillbell");
    const auto copy = scratch_ / "copy";
    const std::string journal = machineFile_.string() + "-journal";
    fs::copy_file(machineFile_, copy);
    sqlite3* db = nullptr;
    runSql(copy,
           "PRAGMA cache_size = 1; BEGIN; UPDATE reg_values SET data = x'00';"
           "INSERT INTO reg_values(key_id, name, fold, type, data) "
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
           "WHERE i < 40) SELECT 1, i, i, 3, zeroblob(4000) FROM n",
           &db);
    fs::copy_file(copy, machineFile_, fs::copy_options::overwrite_existing);
    fs::copy_file(copy.string() + "-journal", journal);
    sqlite3_close(db);
    const std::string before = fileBytes(machineFile_) + fileBytes(journal);

    auto reader = makeRegistry(true, std::chrono::milliseconds(100));
    EXPECT_EQ(readStatus(*reader, kHkeyLocalMachine, kKey, "HomeDir"), kAccessDenied);
    reader.reset();
    EXPECT_EQ(fileBytes(machineFile_) + fileBytes(journal), before);

    auto registry = makeRegistry();
    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"), sz("/opt/quillbell"));
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(setText(*registry, kHkeyLocalMachine, "Version", "2"), 0);
}

}  // namespace
}  // namespace sqlitestoretest
