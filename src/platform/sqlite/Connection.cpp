#include "platform/sqlite/Connection.h"

#include <sqlite3.h>

namespace platform::sqlitestore {

Connection::~Connection() {
    close();
}

int Connection::open(const std::filesystem::path& file, bool readOnly,
                     std::chrono::milliseconds busyTimeout) {
    close();
    // Calls are serialised by the registry object, so SQLite's own mutexes are not needed.
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return rc;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, static_cast<int>(busyTimeout.count()));
    db_ = db;
    readOnly_ = readOnly;
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

}  // namespace platform::sqlitestore
