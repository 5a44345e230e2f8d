// The key store answers reads from what it learnt earlier: values read ahead with the
// rest of their key, and what it knew before its own writes. Every case here has a
// change of another process that a cache kept too eagerly would hide.

#include <sqlite3.h>

#include <chrono>
#include <string>
#include <thread>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kKey = "Software\\Orvane\\Quillbell";

// Another process writing the user hive with SQL of its own, the way a notifier built on
// SQLite would, holding its write transaction open as long as a test needs.
class OtherProcess {
public:
    explicit OtherProcess(const std::filesystem::path& file) {
        EXPECT_EQ(sqlite3_open(file.c_str(), &db_), SQLITE_OK);
    }
    ~OtherProcess() { sqlite3_close(db_); }
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;

    void run(const std::string& sql) {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << sql << ": " << (error != nullptr ? error : "");
        sqlite3_free(error);
    }

    // SQL that replaces the text of the values of that upper-case name.
    static std::string setText(const std::string& foldedName, const std::string& text) {
        return "UPDATE reg_values SET data = " + blob(text + '\0') +
               " WHERE fold = " + blob(foldedName);
    }
    static std::string deleteValue(const std::string& foldedName) {
        return "DELETE FROM reg_values WHERE fold = " + blob(foldedName);
    }
    static std::string insertValue(const std::string& foldedPath, const std::string& name,
                                   const std::string& data) {
        return "INSERT INTO reg_values(key_id, name, fold, type, data) SELECT id, " + blob(name) +
               ", " + blob(name) + ", 3, " + blob(data) +
               " FROM reg_keys WHERE path = " + blob(foldedPath);
    }
    static std::string deleteKey(const std::string& foldedPath) {
        return "DELETE FROM reg_keys WHERE path = " + blob(foldedPath);
    }

private:
    // Names and data are stored as BLOBs, which never equal a text literal.
    static std::string blob(const std::string& bytes) {
        static const char* digits = "0123456789abcdef";
        std::string literal = "x'";
        for (const unsigned char byte : bytes) {
            literal += digits[byte >> 4];
            literal += digits[byte & 15];
        }
        return literal + "'";
    }

    sqlite3* db_ = nullptr;
};

class OwnWrites : public SqliteStoreTest {
protected:
    void SetUp() override {
        registry_ = makeRegistry();
        key_ = createKey(*registry_, kHkeyCurrentUser, kKey);
        ASSERT_EQ(setText(*registry_, key_, "ConfNumber", "1"), 0);
        ASSERT_EQ(setText(*registry_, key_, "LastID", "1"), 0);
    }
    void TearDown() override { registry_->CloseKey(key_); }

    std::optional<std::string> read(const std::string& name, LSTATUS* status = nullptr) {
        return readBytes(*registry_, kHkeyCurrentUser, kKey, name, status);
    }
    // Runs `write` on a thread while the other process holds the write lock, and lets the
    // other process commit while the write is waiting for it.
    template <typename Write>
    void writeWhileOtherCommits(OtherProcess& other, const std::string& otherSql, Write write) {
        other.run("BEGIN IMMEDIATE");
        other.run(otherSql);
        std::thread writer(write);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        other.run("COMMIT");
        writer.join();
    }

    std::unique_ptr<SqliteRegistry> registry_;
    HKEY key_ = 0;
};

TEST_F(OwnWrites, AnotherProcesssWriteAfterOursIsReadBack) {
    OtherProcess other(userFile_);
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    other.run(OtherProcess::setText("LASTID", "3"));
    EXPECT_EQ(read("LastID"), std::string("3\0", 2));

    // The same after a read of our own had confirmed our value.
    ASSERT_EQ(setText(*registry_, key_, "LastID", "4"), 0);
    EXPECT_EQ(read("LastID"), std::string("4\0", 2));
    other.run(OtherProcess::setText("LASTID", "5"));
    EXPECT_EQ(read("LastID"), std::string("5\0", 2));
}

TEST_F(OwnWrites, AValueAnotherProcessDeletedBeforeOurWriteToTheSameKeyStaysDeleted) {
    OtherProcess other(userFile_);
    EXPECT_EQ(read("ConfNumber"), std::string("1\0", 2));
    other.run(OtherProcess::deleteValue("CONFNUMBER"));
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    LSTATUS status = 0;
    EXPECT_FALSE(read("ConfNumber", &status).has_value());
    EXPECT_EQ(status, winerror::kFileNotFound);
    EXPECT_EQ(read("LastID"), std::string("2\0", 2));
}

TEST_F(OwnWrites, ACommitOfAnotherProcessWhileOurWriteWaitsIsSeen) {
    EXPECT_EQ(read("ConfNumber"), std::string("1\0", 2));
    OtherProcess other(userFile_);
    LSTATUS written = -1;
    writeWhileOtherCommits(other, OtherProcess::setText("CONFNUMBER", "7"),
                           [&] { written = setText(*registry_, key_, "LastID", "2"); });
    ASSERT_EQ(written, 0);
    EXPECT_EQ(read("ConfNumber"), std::string("7\0", 2));
    EXPECT_EQ(read("LastID"), std::string("2\0", 2));
}

// Writing what is stored already, or deleting what is not there, commits nothing: the
// other process's commit is then the only one, and must not pass for ours.
TEST_F(OwnWrites, AWriteThatChangesNothingDoesNotHideACommitMadeMeanwhile) {
    EXPECT_EQ(read("ConfNumber"), std::string("1\0", 2));
    OtherProcess other(userFile_);
    LSTATUS written = -1;
    writeWhileOtherCommits(other, OtherProcess::setText("CONFNUMBER", "8"),
                           [&] { written = setText(*registry_, key_, "LastID", "1"); });
    ASSERT_EQ(written, 0);
    EXPECT_EQ(read("ConfNumber"), std::string("8\0", 2));

    writeWhileOtherCommits(other, OtherProcess::deleteValue("CONFNUMBER"),
                           [&] { written = registry_->DeleteValue(key_, "Absent"); });
    EXPECT_EQ(written, winerror::kFileNotFound);
    LSTATUS status = 0;
    EXPECT_FALSE(read("ConfNumber", &status).has_value());
    EXPECT_EQ(status, winerror::kFileNotFound);
}

// Writing what the hive holds, or deleting what it lacks, may be answered without a
// transaction; what another process changed since must still be written over.
TEST_F(OwnWrites, RepeatingOurLastWriteUndoesAnotherProcesssChange) {
    auto second = makeRegistry();
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    ASSERT_EQ(setText(*second, kHkeyCurrentUser, "Unused", "x"), 0);  // an unrelated commit
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    EXPECT_EQ(read("LastID"), std::string("2\0", 2));

    const HKEY theirs = createKey(*second, kHkeyCurrentUser, kKey);
    ASSERT_EQ(setText(*second, theirs, "LastID", "3"), 0);
    ASSERT_EQ(setText(*registry_, key_, "LastID", "2"), 0);
    EXPECT_EQ(readBytes(*second, kHkeyCurrentUser, kKey, "LastID"), std::string("2\0", 2));

    ASSERT_EQ(registry_->DeleteValue(key_, "LastID"), 0);
    EXPECT_EQ(registry_->DeleteValue(key_, "LastID"), winerror::kFileNotFound);
    ASSERT_EQ(setText(*second, theirs, "LastID", "4"), 0);
    EXPECT_EQ(registry_->DeleteValue(key_, "LastID"), 0);
    LSTATUS status = 0;
    EXPECT_FALSE(readBytes(*second, kHkeyCurrentUser, kKey, "LastID", &status).has_value());
    EXPECT_EQ(status, winerror::kFileNotFound);
    second->CloseKey(theirs);
}

TEST_F(OwnWrites, KeysAnotherProcessMadeOrRemovedAroundOurCreateAreSeen) {
    HKEY key = 0;
    ASSERT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kKey + "\\Later", kKeyRead, &key),
              winerror::kFileNotFound);
    auto second = makeRegistry();
    const HKEY later = createKey(*second, kHkeyCurrentUser, kKey + "\\Later");
    ASSERT_EQ(setText(*second, later, "Name", "theirs"), 0);
    second->CloseKey(later);

    // Our create finds their key and makes only the one below it.
    std::uint32_t disposition = 0;
    ASSERT_EQ(registry_->CreateKeyEx(kHkeyCurrentUser, kKey + "\\Later\\Sub", kKeyWriteAccess, &key,
                                     &disposition),
              0);
    EXPECT_EQ(disposition, kCreatedNewKey);
    registry_->CloseKey(key);
    EXPECT_EQ(readBytes(*registry_, kHkeyCurrentUser, kKey + "\\Later", "Name"),
              std::string("theirs\0", 7));

    // Removed behind our back after we made it: gone for us too.
    OtherProcess other(userFile_);
    other.run(OtherProcess::deleteKey("SOFTWARE\\ORVANE\\QUILLBELL\\LATER\\SUB"));
    EXPECT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kKey + "\\Later\\Sub", kKeyRead, &key),
              winerror::kFileNotFound);
}

TEST_F(OwnWrites, OurOwnWritesReadBackExactlyWhateverTheirTypeAndSize) {
    const std::string inner("a\0b", 3);
    ASSERT_EQ(registry_->SetValueEx(key_, "Data", regtype::kSz,
                                    reinterpret_cast<const std::uint8_t*>(inner.data()), 3),
              0);
    EXPECT_EQ(read("DATA"), inner);
    ASSERT_EQ(registry_->SetValueEx(key_, "data", regtype::kBinary, nullptr, 0), 0);
    std::uint32_t type = 0;
    std::uint32_t size = 99;
    EXPECT_EQ(registry_->QueryValueEx(key_, "Data", &type, nullptr, &size), 0);
    EXPECT_EQ(type, regtype::kBinary);
    EXPECT_EQ(size, 0u);
    ASSERT_EQ(registry_->DeleteValue(key_, "DATA"), 0);
    EXPECT_EQ(registry_->QueryValueEx(key_, "Data", &type, nullptr, &size),
              winerror::kFileNotFound);
    // A second registry object, as another process, reads the same from the file.
    ASSERT_EQ(setText(*registry_, key_, "Data", "last"), 0);
    EXPECT_EQ(read("Data"), std::string("last\0", 5));
    EXPECT_EQ(readBytes(*makeRegistry(), kHkeyCurrentUser, kKey, "Data"), std::string("last\0", 5));
}

class ReadAhead : public OwnWrites {};

TEST_F(ReadAhead, AValueAnotherProcessAddsToAKeyReadWholeIsFound) {
    EXPECT_EQ(read("ConfNumber"), std::string("1\0", 2));  // reads the whole key
    LSTATUS status = 0;
    EXPECT_FALSE(read("NEW", &status).has_value());
    EXPECT_EQ(status, winerror::kFileNotFound);

    OtherProcess other(userFile_);
    other.run(OtherProcess::insertValue("SOFTWARE\\ORVANE\\QUILLBELL", "NEW", "theirs"));
    EXPECT_EQ(read("New"), "theirs");

    // Our own additions and removals keep the key whole, theirs still show.
    ASSERT_EQ(setText(*registry_, key_, "Mine", "1"), 0);
    ASSERT_EQ(registry_->DeleteValue(key_, "LastID"), 0);
    EXPECT_EQ(read("MINE"), std::string("1\0", 2));
    EXPECT_FALSE(read("LastID", &status).has_value());
    other.run(OtherProcess::insertValue("SOFTWARE\\ORVANE\\QUILLBELL", "LASTID", "again"));
    EXPECT_EQ(read("LastID"), "again");
}

// Keys beyond the read-ahead limits are read value by value; none of their values may
// then pass for absent.
TEST_F(ReadAhead, KeysTooLargeToReadWholeKeepEveryValue) {
    OtherProcess other(userFile_);
    const std::string path = "SOFTWARE\\ORVANE\\QUILLBELL";
    other.run("BEGIN");
    other.run(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
        "INSERT INTO reg_values(key_id, name, fold, type, data) "
        "SELECT (SELECT id FROM reg_keys WHERE path = CAST('" +
        path + "' AS BLOB)), CAST('V' || i AS BLOB), CAST('V' || i AS BLOB), 3, x'01' FROM n");
    other.run("COMMIT");
    EXPECT_EQ(read("V1"), "\x01");
    EXPECT_EQ(read("V50000"), "\x01");
    EXPECT_EQ(read("ConfNumber"), std::string("1\0", 2));

    // The same for a few values that are large together.
    other.run("DELETE FROM reg_values WHERE fold LIKE CAST('V%' AS BLOB)");
    other.run(OtherProcess::insertValue(path, "BIG", std::string(9 << 20, 'b')));
    EXPECT_EQ(read("LastID"), std::string("1\0", 2));
    std::uint32_t size = 0;
    EXPECT_EQ(registry_->QueryValueEx(key_, "Big", nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 9u << 20);
}

}  // namespace
}  // namespace sqlitestoretest
