// Cached reads, each against another process's change that an eager cache would hide.

#include <sqlite3.h>

#include <functional>
#include <thread>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

const std::string kFoldedKey = "SOFTWARE\\ORVANE\\QUILLBELL";

// Names and data are stored as BLOBs, which never equal a text literal.
std::string blob(const std::string& text, const std::string& tail = "") {
    return "CAST('" + text + "'" + tail + " AS BLOB)";
}
std::string setSql(const std::string& fold, const std::string& text) {
    return "UPDATE reg_values SET data = " + blob(text, " || x'00'") +
           " WHERE fold = " + blob(fold);
}
std::string deleteSql(const std::string& fold) {
    return "DELETE FROM reg_values WHERE fold = " + blob(fold);
}
std::string insertSql(const std::string& name, const std::string& data) {
    return "INSERT INTO reg_values(key_id, name, fold, type, data) SELECT id, " + blob(name) +
           ", " + blob(name) + ", 3, " + blob(data) +
           " FROM reg_keys WHERE path = " + blob(kFoldedKey);
}

class SqliteReadCache : public SqliteStoreTest {
protected:
    void SetUp() override {
        key_ = createKey(*registry_, kHkeyCurrentUser, kKey);
        ASSERT_EQ(setText(*registry_, key_, "ConfNumber", "1"), 0);
        ASSERT_EQ(setText(*registry_, key_, "LastID", "1"), 0);
        ASSERT_EQ(sqlite3_open(userFile_.c_str(), &other_), SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(other_); }

    // Another process on the user hive, holding its write transaction as long as needed.
    void otherRuns(const std::string& sql) {
        EXPECT_EQ(sqlite3_exec(other_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sql << ": " << sqlite3_errmsg(other_);
    }
    std::optional<std::string> read(const std::string& name, const std::string& path = kKey) {
        return readBytes(*registry_, kHkeyCurrentUser, path, name);
    }
    LSTATUS statusOf(const std::string& name) {
        return readStatus(*registry_, kHkeyCurrentUser, kKey, name);
    }

    std::unique_ptr<SqliteRegistry> registry_ = makeRegistry();
    HKEY key_ = 0;
    sqlite3* other_ = nullptr;
};

TEST_F(SqliteReadCache, CommitsOfAnotherProcessAroundOursAreReadBack) {
    for (const bool confirmed : {false, true}) {  // by a read of our own after our write
        ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
        if (confirmed) {
            EXPECT_EQ(read("LastID"), sz("2"));
        }
        otherRuns(setSql("LASTID", "3"));
        EXPECT_EQ(read("LastID"), sz("3"));
    }
    // A value deleted before our write to the same key stays deleted.
    otherRuns(deleteSql("CONFNUMBER"));
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    EXPECT_EQ(statusOf("ConfNumber"), kFileNotFound);
    EXPECT_EQ(read("LastID"), sz("2"));
}

// A write of what is stored, or a delete of what is not, commits nothing: the other's commit
// must not pass for ours. They go to a key our cache never read, so that they reach SQLite.
TEST_F(SqliteReadCache, ACommitOfAnotherProcessWhileOurWriteWaitsIsSeen) {
    const HKEY sub = createKey(*registry_, kHkeyCurrentUser, kKey + "\\Sub");
    auto second = makeRegistry();
    ASSERT_EQ(setText(*second, createKey(*second, kHkeyCurrentUser, kKey + "\\Sub"), "Stored", "1"),
              0);
    const struct {
        const char* what;
        std::string otherSql;
        std::function<LSTATUS()> write;
        LSTATUS written;
        std::optional<std::string> confNumber;
    } cases[] = {
        {"a write that changes something", setSql("CONFNUMBER", "7"),
         [&] { return setText(*registry_, key_, "LastID", "2"); }, 0, sz("7")},
        {"a write of the stored value", setSql("CONFNUMBER", "8"),
         [&] { return setText(*registry_, sub, "Stored", "1"); }, 0, sz("8")},
        {"a delete of a missing value", deleteSql("CONFNUMBER"),
         [&] { return registry_->DeleteValue(sub, "Absent"); }, kFileNotFound, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(setText(*registry_, key_, "ConfNumber", "1"), 0);
        EXPECT_EQ(read("ConfNumber"), sz("1"));
        otherRuns("BEGIN IMMEDIATE");
        otherRuns(c.otherSql);
        LSTATUS written = -1;
        std::thread writer([&] { written = c.write(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        otherRuns("COMMIT");
        writer.join();
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(read("ConfNumber"), c.confNumber);
    }
    EXPECT_EQ(read("LastID"), sz("2"));
    EXPECT_EQ(read("Stored", kKey + "\\Sub"), sz("1"));
}

// Writes answered without a transaction must still undo what another process changed.
TEST_F(SqliteReadCache, RepeatingOurLastWriteUndoesAnotherProcesssChange) {
    auto second = makeRegistry();
    const HKEY theirs = createKey(*second, kHkeyCurrentUser, kKey);
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    ASSERT_EQ(setText(*second, theirs, "LastID", "3"), 0);
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    EXPECT_EQ(readBytes(*second, kHkeyCurrentUser, kKey, "LastID"), sz("2"));

    ASSERT_EQ(registry_->DeleteValue(key_, "LastID"), 0);
    EXPECT_EQ(registry_->DeleteValue(key_, "LastID"), kFileNotFound);
    ASSERT_EQ(setText(*second, theirs, "LastID", "4"), 0);
    EXPECT_EQ(registry_->DeleteValue(key_, "LastID"), 0);
    EXPECT_EQ(readStatus(*second, kHkeyCurrentUser, kKey, "LastID"), kFileNotFound);
}

TEST_F(SqliteReadCache, KeysAnotherProcessMadeOrRemovedAroundOurCreateAreSeen) {
    const std::string later = kKey + "\\Later";
    EXPECT_EQ(readStatus(*registry_, kHkeyCurrentUser, later, "Name"), kFileNotFound);
    auto second = makeRegistry();
    ASSERT_EQ(setText(*second, createKey(*second, kHkeyCurrentUser, later), "Name", "theirs"), 0);

    HKEY key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(registry_->CreateKeyEx(kHkeyCurrentUser, later + "\\Sub", kKeyWriteAccess, &key,
                                     &disposition),
              0);
    EXPECT_EQ(disposition, kCreatedNewKey);
    registry_->CloseKey(key);
    EXPECT_EQ(read("Name", later), sz("theirs"));

    // Removed behind our back after we made it: gone for us too.
    otherRuns("DELETE FROM reg_keys WHERE path = " + blob(kFoldedKey + "\\LATER\\SUB"));
    EXPECT_EQ(openStatus(*registry_, kHkeyCurrentUser, later + "\\Sub"), kFileNotFound);
}

TEST_F(SqliteReadCache, AValueAnotherProcessAddsToAKeyReadWholeIsFound) {
    EXPECT_EQ(read("ConfNumber"), sz("1"));  // reads the whole key
    EXPECT_EQ(statusOf("NEW"), kFileNotFound);
    otherRuns(insertSql("NEW", "theirs"));
    EXPECT_EQ(read("New"), "theirs");
    // Our own additions and removals keep the key whole, theirs still show.
    ASSERT_EQ(setText(*registry_, key_, "Mine", "1"), 0);
    ASSERT_EQ(registry_->DeleteValue(key_, "LastID"), 0);
    EXPECT_EQ(read("MINE"), sz("1"));
    EXPECT_EQ(statusOf("LastID"), kFileNotFound);
    otherRuns(insertSql("LASTID", "again"));
    EXPECT_EQ(read("LastID"), "again");
}

// Keys beyond the read-ahead limits are read value by value; none may pass for absent.
TEST_F(SqliteReadCache, KeysTooLargeToReadWholeKeepEveryValue) {
    otherRuns(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
        "INSERT INTO reg_values(key_id, name, fold, type, data) "
        "SELECT (SELECT id FROM reg_keys WHERE path = " +
        blob(kFoldedKey) + "), CAST('V' || i AS BLOB), CAST('V' || i AS BLOB), 3, x'01' FROM n");
    EXPECT_EQ(read("V1"), "\x01");
    EXPECT_EQ(read("V50000"), "\x01");
    EXPECT_EQ(read("ConfNumber"), sz("1"));
    // The same for a few values that are large together.
    otherRuns("DELETE FROM reg_values WHERE fold LIKE CAST('V%' AS BLOB)");
    otherRuns(insertSql("BIG", std::string(9 << 20, 'b')));
    EXPECT_EQ(read("LastID"), sz("1"));
    std::uint32_t size = 0;
    EXPECT_EQ(registry_->QueryValueEx(key_, "Big", nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 9u << 20);
}

}  // namespace
}  // namespace sqlitestoretest
