#include "platform/sqlite/StatementRun.h"

#include <sqlite3.h>

namespace platform::sqlitestore {

StatementRun::~StatementRun() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

StatementRun& StatementRun::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(statement_, index, value);
    if (bindStatus_ == SQLITE_OK) {
        bindStatus_ = rc;
    }
    return *this;
}

StatementRun& StatementRun::bindBytes(int index, const void* data, std::size_t size) {
    const int rc = size == 0 ? sqlite3_bind_zeroblob(statement_, index, 0)
                             : sqlite3_bind_blob64(statement_, index, data, size, SQLITE_STATIC);
    if (bindStatus_ == SQLITE_OK) {
        bindStatus_ = rc;
    }
    return *this;
}

int StatementRun::step() {
    if (bindStatus_ != SQLITE_OK) {
        return bindStatus_;
    }
    return sqlite3_step(statement_);
}

std::int64_t StatementRun::integerAt(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string_view StatementRun::bytesAt(int column) const {
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (data == nullptr || size <= 0) {
        return {};
    }
    return {static_cast<const char*>(data), static_cast<std::size_t>(size)};
}

}  // namespace platform::sqlitestore
