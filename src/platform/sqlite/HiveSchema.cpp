#include "platform/sqlite/HiveSchema.h"

#include <sqlite3.h>

#include <string>

#include "platform/sqlite/Connection.h"

namespace platform::sqlitestore {

namespace {

constexpr const char* kCreateSchema = R"sql(
CREATE TABLE reg_keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES reg_keys(id) ON DELETE CASCADE,
    name BLOB NOT NULL,
    path BLOB NOT NULL UNIQUE
);
CREATE INDEX reg_keys_by_parent ON reg_keys(parent, path);
CREATE TABLE reg_values(
    id INTEGER PRIMARY KEY,
    key_id INTEGER NOT NULL REFERENCES reg_keys(id) ON DELETE CASCADE,
    name BLOB NOT NULL,
    fold BLOB NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key_id, fold)
);
INSERT INTO reg_keys(id, parent, name, path) VALUES(1, NULL, x'', x'');
PRAGMA application_id = 1363300935;
PRAGMA user_version = 1;
)sql";
static_assert(kApplicationId == 1363300935 && kSchemaVersion == 1,
              "the layout script spells both numbers out");

// Our tables and root key are there and SQLite finds the file's structure sound.
int checkOurLayout(Connection& connection, HiveState& state) {
    std::int64_t tables = 0;
    int rc = connection.queryInteger(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' "
        "AND name IN ('reg_keys', 'reg_values')",
        tables);
    if (rc != SQLITE_OK) {
        return rc;
    }
    std::int64_t roots = 0;
    if (tables == 2) {
        rc = connection.queryInteger(
            "SELECT count(*) FROM reg_keys WHERE id = 1 AND parent IS NULL", roots);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    std::string check;
    if (roots == 1) {
        // Cheap for files of this size, and it keeps a hive with a damaged page from
        // being written to at all.
        rc = connection.queryText("PRAGMA quick_check(1)", check);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    state = check == "ok" ? HiveState::Ours : HiveState::Damaged;
    return SQLITE_OK;
}

}  // namespace

int inspectHive(Connection& connection, HiveState& state) {
    std::int64_t applicationId = 0;
    std::int64_t version = 0;
    std::int64_t pages = 0;
    int rc = connection.queryInteger("PRAGMA application_id", applicationId);
    if (rc == SQLITE_OK) {
        rc = connection.queryInteger("PRAGMA user_version", version);
    }
    if (rc == SQLITE_OK) {
        rc = connection.queryInteger("PRAGMA page_count", pages);
    }
    if (rc != SQLITE_OK) {
        return rc;
    }
    if (applicationId != kApplicationId) {
        // A database with no tables yet, such as a file just switched to the WAL, holds
        // nothing to lose.
        std::int64_t objects = 0;
        if (pages > 0) {
            rc = connection.queryInteger("SELECT count(*) FROM sqlite_master", objects);
            if (rc != SQLITE_OK) {
                return rc;
            }
        }
        state = pages <= 1 && objects == 0 ? HiveState::Empty : HiveState::Foreign;
        return SQLITE_OK;
    }
    if (version > kSchemaVersion) {
        state = HiveState::Foreign;
        return SQLITE_OK;
    }
    if (version < kSchemaVersion) {
        state = HiveState::Damaged;
        return SQLITE_OK;
    }
    return checkOurLayout(connection, state);
}

int createHiveSchema(Connection& connection) {
    return connection.exec(kCreateSchema);
}

}  // namespace platform::sqlitestore
