#include "platform/sqlite/Connection.h"

#include <sqlite3.h>

#include <atomic>

namespace platform::sqlitestore {

Connection::~Connection() {
    close();
}

int Connection::open(const std::filesystem::path& file, bool readOnly,
                     std::chrono::milliseconds busyTimeout) {
    close();
    // Calls are serialised by the registry object, so SQLite's own mutexes are not needed.
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return rc;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, static_cast<int>(busyTimeout.count()));
    busyTimeout_ = busyTimeout;
    db_ = db;
    readOnly_ = readOnly;
    commitFrames_ = 0;
    return SQLITE_OK;
}

void Connection::close() {
    for (sqlite3_stmt* statement : cache_) {
        sqlite3_finalize(statement);
    }
    cache_.clear();
    if (db_ != nullptr) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
}

void Connection::setBusyTimeout(std::chrono::milliseconds busyTimeout) {
    if (db_ != nullptr && busyTimeout != busyTimeout_) {
        sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
        busyTimeout_ = busyTimeout;
    }
}

bool Connection::inTransaction() const {
    return db_ != nullptr && sqlite3_get_autocommit(db_) == 0;
}

int Connection::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

int Connection::queryInteger(const char* sql, std::int64_t& value) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            value = sqlite3_column_int64(statement, 0);
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            rc = SQLITE_ERROR;
        }
    }
    sqlite3_finalize(statement);
    return rc;
}

int Connection::queryText(const char* sql, std::string& value) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(statement, 0);
            value = text != nullptr ? reinterpret_cast<const char*>(text) : "";
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            rc = SQLITE_ERROR;
        }
    }
    sqlite3_finalize(statement);
    return rc;
}

bool Connection::walIndexHeader(std::array<unsigned char, 48>& header) const {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        file == nullptr || file->pMethods == nullptr || file->pMethods->iVersion < 2) {
        return false;
    }
    // The region SQLite itself has mapped; 32 KiB is its wal-index page size.
    void volatile* region = nullptr;
    if (file->pMethods->xShmMap(file, 0, 32768, 0, &region) != SQLITE_OK || region == nullptr) {
        return false;
    }
    // Writers store the second copy, then the first; reading them the other way round
    // and comparing catches a header caught halfway through, as SQLite's readers do.
    const auto* shared = static_cast<const volatile unsigned char*>(region);
    std::array<unsigned char, 48> second{};
    for (std::size_t i = 0; i < header.size(); ++i) {
        header[i] = shared[i];
    }
    std::atomic_thread_fence(std::memory_order_acquire);
    for (std::size_t i = 0; i < second.size(); ++i) {
        second[i] = shared[header.size() + i];
    }
    constexpr std::size_t kIsInit = 12;
    return header == second && header[kIsInit] != 0;
}

int Connection::statement(std::size_t slot, const char* sql, sqlite3_stmt*& out) {
    if (slot >= cache_.size()) {
        cache_.resize(slot + 1, nullptr);
    }
    if (cache_[slot] == nullptr) {
        const int rc =
            sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &cache_[slot], nullptr);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    out = cache_[slot];
    return SQLITE_OK;
}

void Connection::trackCommits(std::uint32_t checkpointFrames) {
    checkpointFrames_ = checkpointFrames;
    commitFrames_ = 0;
    sqlite3_wal_hook(db_, &Connection::onCommit, this);
}

std::uint32_t Connection::takeCommitFrames() {
    const std::uint32_t frames = commitFrames_;
    commitFrames_ = 0;
    return frames;
}

// Called after each commit that wrote frames, once the write lock is released.
int Connection::onCommit(void* self, sqlite3* db, const char* schema, int walFrames) {
    auto* connection = static_cast<Connection*>(self);
    connection->commitFrames_ = static_cast<std::uint32_t>(walFrames);
    if (connection->commitFrames_ >= connection->checkpointFrames_) {
        // As SQLite's own hook: a checkpoint that cannot run now is simply tried later.
        sqlite3_wal_checkpoint(db, schema);
    }
    return SQLITE_OK;
}

}  // namespace platform::sqlitestore
