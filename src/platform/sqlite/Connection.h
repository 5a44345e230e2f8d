#pragma once
// One SQLite connection to a hive file, with its prepared statements kept for the
// connection's lifetime so that a registry call costs no parsing of SQL.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::sqlitestore {

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing file, never creating one and never through a symbolic link;
    // returns an SQLite result code.
    int open(const std::filesystem::path& file, bool readOnly,
             std::chrono::milliseconds busyTimeout);
    // How long the next statements wait for another connection's lock.
    void setBusyTimeout(std::chrono::milliseconds busyTimeout);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    bool readOnly() const { return readOnly_; }
    bool inTransaction() const;

    // Runs SQL that returns no rows (pragmas that set, DDL, transaction control).
    int exec(const char* sql);
    // Runs a one-row, one-column query (a pragma that reports) and yields its integer.
    int queryInteger(const char* sql, std::int64_t& value);
    // Runs a one-row, one-column query and yields its text.
    int queryText(const char* sql, std::string& value);
    // Copies the header of the shared WAL index, which every commit rewrites. False
    // when it cannot be trusted now (being rewritten, not yet built). Call only on a
    // connection to a database in WAL mode that has read from it.
    bool walIndexHeader(std::array<unsigned char, 48>& header) const;
    // The statement for `sql`, prepared on first use and cached under `slot`.
    int statement(std::size_t slot, const char* sql, sqlite3_stmt*& out);

    // Notes the commits of this connection that write to the WAL. This takes over
    // SQLite's automatic checkpoint, with the same rule: a passive checkpoint after a
    // commit that leaves at least `checkpointFrames` frames in the WAL.
    void trackCommits(std::uint32_t checkpointFrames);
    // The WAL's frame count after this connection's last commit since the previous
    // call, or 0 when it committed nothing to the WAL since then.
    std::uint32_t takeCommitFrames();

private:
    static int onCommit(void* self, sqlite3* db, const char* schema, int walFrames);

    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    std::chrono::milliseconds busyTimeout_{0};
    std::vector<sqlite3_stmt*> cache_;
    std::uint32_t checkpointFrames_ = 0;
    std::uint32_t commitFrames_ = 0;
};

}  // namespace platform::sqlitestore
