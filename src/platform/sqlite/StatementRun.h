#pragma once
// One execution of a cached prepared statement: binds its parameters, steps through its
// rows, and resets it when it goes out of scope, so that no read transaction outlives
// the registry call and other processes can checkpoint and write.

#include <cstddef>
#include <cstdint>
#include <string_view>

struct sqlite3_stmt;

namespace platform::sqlitestore {

class StatementRun {
public:
    explicit StatementRun(sqlite3_stmt* statement) : statement_(statement) {}
    ~StatementRun();
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

    // Parameters are numbered from 1. A failure to bind is reported by step().
    StatementRun& bind(int index, std::int64_t value);
    // Binds bytes as a BLOB; zero bytes bind an empty BLOB, never NULL.
    StatementRun& bindBytes(int index, const void* data, std::size_t size);
    StatementRun& bindBytes(int index, std::string_view bytes) {
        return bindBytes(index, bytes.data(), bytes.size());
    }

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();

    std::int64_t integerAt(int column) const;
    // Valid until the next step or the end of this run.
    std::string_view bytesAt(int column) const;

private:
    sqlite3_stmt* statement_;
    int bindStatus_ = 0;
};

}  // namespace platform::sqlitestore
