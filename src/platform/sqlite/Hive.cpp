#include "platform/sqlite/Hive.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/sqlite/HiveFile.h"
#include "platform/sqlite/HiveSchema.h"
#include "platform/sqlite/KeyNames.h"
#include "platform/sqlite/SqliteErrors.h"
#include "platform/sqlite/StatementRun.h"

namespace platform::sqlitestore {

namespace {

enum Slot : std::size_t {
    kFindKey,
    kInsertKey,
    kReadValue,
    kReadKeyValues,
    kWriteValue,
    kDeleteValue,
    kDeleteKey,
    kCountSubkeys,
    kCountValues,
    kSubkeyAt,
    kValueAt,
    kListSubkeys,
    kListValues,
    kValueById,
    kDataVersion,
    kSlotCount,
};

constexpr std::array<const char*, kSlotCount> kSql = {
    "SELECT id FROM reg_keys WHERE path = ?1",
    "INSERT INTO reg_keys(parent, name, path) VALUES(?1, ?2, ?3)",
    "SELECT type, data FROM reg_values WHERE key_id = ?1 AND fold = ?2",
    "SELECT fold, type, data FROM reg_values WHERE key_id = ?1",
    // An existing value keeps its place among the values and its first spelling.
    "INSERT INTO reg_values(key_id, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT(key_id, fold) DO UPDATE SET type = excluded.type, data = excluded.data",
    "DELETE FROM reg_values WHERE key_id = ?1 AND fold = ?2",
    // The values go with the key (ON DELETE CASCADE); a root or a parent key stays.
    "DELETE FROM reg_keys WHERE id = ?1 AND parent IS NOT NULL "
    "AND NOT EXISTS (SELECT 1 FROM reg_keys WHERE parent = ?1)",
    "SELECT count(*), ifnull(max(length(name)), 0) FROM reg_keys WHERE parent = ?1",
    // Windows keeps string data as UTF-16 and reports the longest data in those bytes:
    // twice the ANSI byte count in a single-byte code page.
    "SELECT count(*), ifnull(max(length(name)), 0), "
    "ifnull(max(CASE WHEN type IN (1, 2, 7) THEN 2 * length(data) ELSE length(data) END), 0) "
    "FROM reg_values WHERE key_id = ?1",
    "SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY path LIMIT 1 OFFSET ?2",
    "SELECT name, type, data FROM reg_values WHERE key_id = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
    "SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY path",
    "SELECT id, name, type, data FROM reg_values WHERE key_id = ?1 ORDER BY id",
    "SELECT type, data FROM reg_values WHERE id = ?1",
    "PRAGMA data_version",
};

// A key's values are read into the cache together up to these sizes, far above what the
// program stores (1,000 configurations of 19 short values); beyond them one by one.
constexpr std::size_t kReadAheadValues = 50000;
constexpr std::size_t kReadAheadBytes = 8 << 20;

// A listing keeps the values' data up to this size; beyond it each step reads its row.
constexpr std::size_t kListingBytes = 8 << 20;

// SQLite's own default: about 4 MB of WAL before a checkpoint copies it back.
constexpr std::uint32_t kCheckpointFrames = 1000;

LSTATUS forReading(int rc) {
    return toWinError(rc, Purpose::Reading);
}

LSTATUS forWriting(int rc) {
    return toWinError(rc, Purpose::Writing);
}

LSTATUS stateError(HiveState state) {
    return state == HiveState::Foreign ? winerror::kBadDb : winerror::kRegistryCorrupt;
}

// Copies a value row's type and data (columns from `first` on) into `out`.
void takeValue(const StatementRun& run, int first, ValueRead& out) {
    out.type = static_cast<std::uint32_t>(run.integerAt(first));
    const std::string_view data = run.bytesAt(first + 1);
    out.size = static_cast<std::uint32_t>(data.size());
    out.copied = out.buffer != nullptr && out.size <= out.capacity;
    if (out.copied && !data.empty()) {
        std::memcpy(out.buffer, data.data(), data.size());
    }
}

}  // namespace

LSTATUS Hive::openForReading(bool& present) {
    if (connection_.isOpen()) {
        present = true;
        return winerror::kSuccess;
    }
    present = false;
    switch (probeHiveFile(settings_.file, settings_.rootMayOwn)) {
        case FileKind::Missing:
        case FileKind::Empty:
            return winerror::kSuccess;
        case FileKind::Refused:
            return winerror::kAccessDenied;
        case FileKind::Unusable:
            return winerror::kCantOpen;
        case FileKind::Unreachable:
            return winerror::kCantRead;
        case FileKind::Regular:
            break;
    }
    return openExisting(present);
}

bool Hive::writable() {
    if (settings_.forcedReadOnly) {
        return false;
    }
    if (connection_.isOpen()) {
        return !connection_.readOnly();
    }
    return mayWriteHiveFile(settings_.file);
}

// The file is first looked at through a read-only connection: closing a read-write
// connection to someone else's WAL database would checkpoint into it.
LSTATUS Hive::openExisting(bool& present) {
    const bool mayWrite = writable();
    HiveState state = HiveState::Foreign;
    int rc = inspectThrough(true, state);
    // A commit cut short in rollback-journal mode leaves a hot journal, which only a
    // connection that may write can roll back; SQLite does so on its first read. Without
    // that right the hive stays unreadable, reported as access denied, until its owner
    // opens it.
    if (rc == SQLITE_READONLY_ROLLBACK && mayWrite) {
        rc = inspectThrough(false, state);
    }
    if (rc != SQLITE_OK || state != HiveState::Ours) {
        closeConnection();
        if (rc != SQLITE_OK) {
            return forReading(rc);
        }
        return state == HiveState::Empty ? winerror::kSuccess : stateError(state);
    }
    if (mayWrite && connection_.readOnly()) {
        rc = connection_.open(settings_.file, false, settings_.readTimeout);
        if (rc != SQLITE_OK) {
            closeConnection();
            return forReading(rc);
        }
    }
    if (mayWrite) {
        configureForWriting();
    }
    startCaching();
    present = true;
    return winerror::kSuccess;
}

int Hive::inspectThrough(bool readOnly, HiveState& state) {
    int rc = connection_.open(settings_.file, readOnly, settings_.readTimeout);
    if (rc == SQLITE_OK) {
        rc = inspectHive(connection_, state);
    }
    return rc;
}

// Reads of the machine hive wait longer than writes: its rollback journal keeps readers
// out while a writer commits, and a read must not fail because another process writes
// `Version` at that moment.
void Hive::waitAs(Purpose purpose) {
    connection_.setBusyTimeout(purpose == Purpose::Reading ? settings_.readTimeout
                                                           : settings_.busyTimeout);
}

LSTATUS Hive::openForWriting() {
    if (!writable()) {
        return winerror::kAccessDenied;
    }
    bool present = false;
    if (const LSTATUS status = openForReading(present); status != winerror::kSuccess) {
        return status;
    }
    if (present) {
        return winerror::kSuccess;
    }
    if (const LSTATUS status =
            createHiveFile(settings_.file, settings_.ownerOnly, settings_.rootMayOwn);
        status != winerror::kSuccess) {
        return status;
    }
    return layOutNewFile();
}

// Another process may be laying out the same empty file: the check and the layout
// happen under one write lock, and whoever comes second finds a hive. A WAL hive is
// switched to the WAL before its layout, so that the layout is its first commit there.
LSTATUS Hive::layOutNewFile() {
    // Switching to the WAL while the other process does the same is answered SQLITE_BUSY
    // at once, without the busy handler: wait for it here, as long as the handler would.
    const auto deadline = std::chrono::steady_clock::now() + settings_.busyTimeout;
    int rc = SQLITE_BUSY;
    for (;;) {
        rc = connection_.open(settings_.file, false, settings_.busyTimeout);
        if (rc == SQLITE_OK && settings_.journal == JournalMode::Wal) {
            rc = connection_.exec("PRAGMA journal_mode = WAL");
        }
        if (rc == SQLITE_OK) {
            rc = connection_.exec("BEGIN IMMEDIATE");
        }
        if (rc == SQLITE_OK) {
            break;
        }
        closeConnection();
        if (rc != SQLITE_BUSY || std::chrono::steady_clock::now() >= deadline) {
            return forWriting(rc);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const LSTATUS status = checkLaidOut();
    if (status != winerror::kSuccess) {
        connection_.exec("ROLLBACK");
        closeConnection();
        return status;
    }
    configureForWriting();
    startCaching();
    return winerror::kSuccess;
}

// Runs under the write lock: only a file that is still empty gets laid out.
LSTATUS Hive::checkLaidOut() {
    HiveState state = HiveState::Foreign;
    int rc = inspectHive(connection_, state);
    if (rc == SQLITE_OK && state == HiveState::Empty) {
        rc = createHiveSchema(connection_);
    } else if (rc == SQLITE_OK && state != HiveState::Ours) {
        return stateError(state);
    }
    if (rc == SQLITE_OK) {
        rc = connection_.exec("COMMIT");
    }
    return forWriting(rc);
}

// Only ever called on a file known to be ours. Every set and delete is its own
// transaction. In WAL mode synchronous=NORMAL keeps each commit atomic: a crash may lose
// the last commits but never leaves half a value, as every WAL frame is checksummed.
// FULL would add an fdatasync to every commit, measured here at 0.1 to 4 ms against
// some 20 to 40 us for the whole commit without it, and saving a configuration writes
// twenty values. The rollback journal needs FULL for the same atomicity.
void Hive::configureForWriting() {
    connection_.exec("PRAGMA foreign_keys = ON");
    if (settings_.journal == JournalMode::Wal) {
        connection_.exec("PRAGMA journal_mode = WAL");
        connection_.exec("PRAGMA synchronous = NORMAL");
        connection_.trackCommits(kCheckpointFrames);
    } else {
        connection_.exec("PRAGMA journal_mode = DELETE");
        connection_.exec("PRAGMA synchronous = FULL");
    }
}

int Hive::prepare(std::size_t slot, sqlite3_stmt*& statement) {
    return connection_.statement(slot, kSql[slot], statement);
}

void Hive::closeConnection() {
    connection_.close();
    cache_.clear();
    listings_.clear();
    cacheable_ = false;
}

// Only a WAL hive has the shared index whose header tells the version; a hive some other
// program switched to a rollback journal is read afresh every time.
void Hive::startCaching() {
    std::string mode;
    cacheable_ = connection_.queryText("PRAGMA journal_mode", mode) == SQLITE_OK && mode == "wal";
    cache_.clear();
}

bool Hive::cacheVersion(WalVersion& version) {
    // Inside our own write transaction reads see changes that may yet be rolled back.
    return cacheable_ && !connection_.inTransaction() && connection_.walIndexHeader(version);
}

bool Hive::unchangedSince(const WalVersion& version) const {
    WalVersion now{};
    return connection_.walIndexHeader(now) && now == version;
}

// The version is taken without a lock: a commit of another process after it and before
// ours makes ours the second one, which followOwnWrite then refuses to follow.
bool Hive::beforeOwnWrite(WalVersion& before) {
    connection_.takeCommitFrames();
    return cacheable_ && !connection_.inTransaction() && connection_.walIndexHeader(before);
}

bool Hive::followOwnWrite(bool tracked, const WalVersion& before) {
    const std::uint32_t frames = connection_.takeCommitFrames();
    WalVersion after{};
    if (!tracked || !connection_.walIndexHeader(after)) {
        return false;
    }
    // A write that changed no page commits nothing: then no one may have committed.
    const bool onlyOurs = frames == 0 ? after == before : isNextCommit(before, after, frames);
    if (!onlyOurs) {
        return false;
    }
    cache_.advance(before, after);
    return true;
}

LSTATUS Hive::findKey(const std::string& foldedPath, std::int64_t& id) {
    waitAs(Purpose::Reading);
    WalVersion version{};
    const bool cacheable = cacheVersion(version);
    if (cacheable) {
        cache_.align(version);
        if (const auto known = cache_.key(foldedPath)) {
            if (*known == ReadCache::kMissingKey) {
                return winerror::kFileNotFound;
            }
            id = *known;
            return winerror::kSuccess;
        }
    }
    const LSTATUS status = lookUpKey(foldedPath, id);
    const bool answered = status == winerror::kSuccess || status == winerror::kFileNotFound;
    if (cacheable && answered && unchangedSince(version)) {
        cache_.rememberKey(foldedPath, status == winerror::kSuccess ? id : ReadCache::kMissingKey);
    }
    return status;
}

LSTATUS Hive::lookUpKey(const std::string& foldedPath, std::int64_t& id) {
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kFindKey, statement); rc != SQLITE_OK) {
        return forReading(rc);
    }
    StatementRun run(statement);
    run.bindBytes(1, foldedPath);
    const int rc = run.step();
    if (rc == SQLITE_ROW) {
        id = run.integerAt(0);
        return winerror::kSuccess;
    }
    return rc == SQLITE_DONE ? winerror::kFileNotFound : forReading(rc);
}

LSTATUS Hive::insertKey(std::int64_t parentId, std::string_view name, const std::string& path,
                        std::int64_t& id) {
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kInsertKey, statement); rc != SQLITE_OK) {
        return forWriting(rc);
    }
    StatementRun run(statement);
    run.bind(1, parentId).bindBytes(2, name).bindBytes(3, path);
    const int rc = run.step();
    if (rc != SQLITE_DONE) {
        return forWriting(rc);
    }
    id = sqlite3_last_insert_rowid(sqlite3_db_handle(statement));
    return winerror::kSuccess;
}

LSTATUS Hive::createKey(std::int64_t parentId, std::string_view parentPath, std::string_view path,
                        std::int64_t& id, bool& created) {
    if (writesLost()) {
        return winerror::kCantWrite;
    }
    waitAs(Purpose::Writing);
    WalVersion before{};
    const bool tracked = beforeOwnWrite(before);
    // IMMEDIATE takes the write lock at once, so two processes creating the same key
    // wait for each other instead of failing on a lock upgrade. Inside a transaction of
    // beginWrites, a savepoint lets a failure undo only this call.
    const bool nested = connection_.inTransaction();
    if (const int rc = connection_.exec(nested ? "SAVEPOINT create_key" : "BEGIN IMMEDIATE");
        rc != SQLITE_OK) {
        return forWriting(rc);
    }
    LSTATUS status = winerror::kSuccess;
    std::vector<std::pair<std::string, std::int64_t>> keys;
    std::string keyPath(parentPath);
    id = parentId;
    for (const std::string_view name : splitPath(path)) {
        keyPath = joinPath(keyPath, foldName(name));
        const std::int64_t parent = id;
        status = findKey(keyPath, id);
        created = status == winerror::kFileNotFound;
        if (created) {
            status = insertKey(parent, name, keyPath, id);
        }
        if (status != winerror::kSuccess) {
            break;
        }
        keys.emplace_back(keyPath, id);
    }
    if (status == winerror::kSuccess) {
        status = forWriting(connection_.exec(nested ? "RELEASE create_key" : "COMMIT"));
    }
    if (status != winerror::kSuccess) {
        connection_.exec(nested ? "ROLLBACK TO create_key; RELEASE create_key" : "ROLLBACK");
        return status;
    }
    ++ownCommits_;
    if (followOwnWrite(tracked, before)) {
        for (const auto& [folded, keyId] : keys) {
            cache_.rememberKey(folded, keyId);
        }
    }
    return status;
}

LSTATUS Hive::readValue(std::int64_t keyId, std::string_view fold, ValueRead& out) {
    waitAs(Purpose::Reading);
    WalVersion version{};
    const bool cacheable = cacheVersion(version);
    if (cacheable) {
        cache_.align(version);
        auto known = cache_.value(keyId, fold);
        // A configuration is read value by value: one read brings in the rest of its key.
        if (!known && !cache_.tooLarge(keyId) && readAhead(keyId, version)) {
            known = cache_.value(keyId, fold);
        }
        if (known) {
            if (*known == nullptr) {
                return winerror::kFileNotFound;
            }
            const ReadCache::Value& value = **known;
            out.type = value.type;
            out.size = static_cast<std::uint32_t>(value.data.size());
            out.copied = out.buffer != nullptr && out.size <= out.capacity;
            if (out.copied && out.size > 0) {
                std::memcpy(out.buffer, value.data.data(), out.size);
            }
            return winerror::kSuccess;
        }
    }
    std::optional<ReadCache::Value> copy;
    const LSTATUS status = lookUpValue(keyId, fold, out, copy);
    const bool answered = status == winerror::kSuccess || status == winerror::kFileNotFound;
    if (cacheable && answered && unchangedSince(version)) {
        cache_.rememberValue(keyId, fold, std::move(copy));
    }
    return status;
}

// False, with nothing remembered, for a key too large to hold or a read that failed or
// saw a commit.
bool Hive::readAhead(std::int64_t keyId, const WalVersion& version) {
    sqlite3_stmt* statement = nullptr;
    if (prepare(kReadKeyValues, statement) != SQLITE_OK) {
        return false;
    }
    std::vector<std::pair<std::string, ReadCache::Value>> values;
    std::size_t bytes = 0;
    {
        StatementRun run(statement);
        run.bind(1, keyId);
        int rc = SQLITE_ROW;
        while ((rc = run.step()) == SQLITE_ROW) {
            const std::string_view data = run.bytesAt(2);
            bytes += data.size();
            if (values.size() == kReadAheadValues || bytes > kReadAheadBytes) {
                cache_.rememberTooLarge(keyId);
                return false;
            }
            values.emplace_back(
                std::string(run.bytesAt(0)),
                ReadCache::Value{static_cast<std::uint32_t>(run.integerAt(1)), std::string(data)});
        }
        if (rc != SQLITE_DONE) {
            return false;
        }
    }
    if (!unchangedSince(version)) {
        return false;
    }
    cache_.rememberAllValues(keyId, std::move(values));
    return true;
}

LSTATUS Hive::lookUpValue(std::int64_t keyId, std::string_view fold, ValueRead& out,
                          std::optional<ReadCache::Value>& copy) {
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kReadValue, statement); rc != SQLITE_OK) {
        return forReading(rc);
    }
    StatementRun run(statement);
    run.bind(1, keyId).bindBytes(2, fold);
    const int rc = run.step();
    if (rc != SQLITE_ROW) {
        return rc == SQLITE_DONE ? winerror::kFileNotFound : forReading(rc);
    }
    takeValue(run, 0, out);
    copy = ReadCache::Value{out.type, std::string(run.bytesAt(1))};
    return winerror::kSuccess;
}

// Writing what the hive holds already changes no page, and SQLite then commits nothing;
// when the cache knows the value as the hive is now, that answer needs no transaction.
std::optional<const ReadCache::Value*> Hive::currentValue(std::int64_t keyId,
                                                          std::string_view fold) {
    WalVersion version{};
    if (!cacheVersion(version)) {
        return std::nullopt;
    }
    cache_.align(version);
    return cache_.value(keyId, fold);
}

LSTATUS Hive::writeValue(std::int64_t keyId, std::string_view name, std::string_view fold,
                         std::uint32_t type, const std::uint8_t* data, std::uint32_t count) {
    if (writesLost()) {
        return winerror::kCantWrite;
    }
    waitAs(Purpose::Writing);
    const auto known = currentValue(keyId, fold);
    if (known && *known != nullptr && (*known)->type == type &&
        std::string_view((*known)->data) ==
            std::string_view(reinterpret_cast<const char*>(data), count)) {
        return winerror::kSuccess;
    }
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kWriteValue, statement); rc != SQLITE_OK) {
        return forWriting(rc);
    }
    WalVersion before{};
    const bool tracked = beforeOwnWrite(before);
    StatementRun run(statement);
    run.bind(1, keyId).bindBytes(2, name).bindBytes(3, fold).bind(4, type).bindBytes(5, data,
                                                                                     count);
    const int rc = run.step();
    if (rc != SQLITE_DONE) {
        return forWriting(rc);
    }
    ++ownCommits_;
    if (followOwnWrite(tracked, before)) {
        const auto* bytes = reinterpret_cast<const char*>(data);
        cache_.rememberValue(keyId, fold,
                             ReadCache::Value{type, count > 0 ? std::string(bytes, count) : ""});
    }
    return winerror::kSuccess;
}

LSTATUS Hive::deleteValue(std::int64_t keyId, std::string_view fold) {
    if (writesLost()) {
        return winerror::kCantWrite;
    }
    waitAs(Purpose::Writing);
    if (const auto known = currentValue(keyId, fold); known && *known == nullptr) {
        return winerror::kFileNotFound;
    }
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kDeleteValue, statement); rc != SQLITE_OK) {
        return forWriting(rc);
    }
    WalVersion before{};
    const bool tracked = beforeOwnWrite(before);
    StatementRun run(statement);
    run.bind(1, keyId).bindBytes(2, fold);
    const int rc = run.step();
    if (rc != SQLITE_DONE) {
        return forWriting(rc);
    }
    const bool deleted = sqlite3_changes(sqlite3_db_handle(statement)) > 0;
    ++ownCommits_;
    if (followOwnWrite(tracked, before)) {
        cache_.rememberValue(keyId, fold, std::nullopt);
    }
    return deleted ? winerror::kSuccess : winerror::kFileNotFound;
}

LSTATUS Hive::deleteKey(std::int64_t keyId) {
    if (writesLost()) {
        return winerror::kCantWrite;
    }
    waitAs(Purpose::Writing);
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kDeleteKey, statement); rc != SQLITE_OK) {
        return forWriting(rc);
    }
    StatementRun run(statement);
    run.bind(1, keyId);
    const int rc = run.step();
    if (rc != SQLITE_DONE) {
        return forWriting(rc);
    }
    const bool deleted = sqlite3_changes(sqlite3_db_handle(statement)) > 0;
    ++ownCommits_;
    // Rather than work out which paths and values went with the key, forget them all.
    cache_.clear();
    return deleted ? winerror::kSuccess : winerror::kAccessDenied;
}

LSTATUS Hive::beginWrites() {
    if (const LSTATUS status = openForWriting(); status != winerror::kSuccess) {
        return status;
    }
    waitAs(Purpose::Writing);
    const LSTATUS status = forWriting(connection_.exec("BEGIN IMMEDIATE"));
    inWrites_ = status == winerror::kSuccess;
    return status;
}

// What the cache and the listings knew stays tied to the version before the transaction;
// its commit makes a new one.
LSTATUS Hive::endWrites(bool keep) {
    inWrites_ = false;
    if (!connection_.inTransaction()) {
        return keep ? winerror::kCantWrite : winerror::kSuccess;
    }
    const int rc = connection_.exec(keep ? "COMMIT" : "ROLLBACK");
    if (rc != SQLITE_OK) {
        connection_.exec("ROLLBACK");
    }
    ++ownCommits_;
    return forWriting(rc);
}

LSTATUS Hive::describeKey(std::int64_t keyId, KeyInfo& info) {
    waitAs(Purpose::Reading);
    sqlite3_stmt* subkeys = nullptr;
    sqlite3_stmt* values = nullptr;
    int rc = prepare(kCountSubkeys, subkeys);
    if (rc == SQLITE_OK) {
        rc = prepare(kCountValues, values);
    }
    if (rc != SQLITE_OK) {
        return forReading(rc);
    }
    KeyInfo result;
    {
        StatementRun run(subkeys);
        run.bind(1, keyId);
        if (rc = run.step(); rc != SQLITE_ROW) {
            return forReading(rc);
        }
        result.subKeys = static_cast<std::uint32_t>(run.integerAt(0));
        result.maxSubKeyLen = static_cast<std::uint32_t>(run.integerAt(1));
    }
    StatementRun run(values);
    run.bind(1, keyId);
    if (rc = run.step(); rc != SQLITE_ROW) {
        return forReading(rc);
    }
    result.values = static_cast<std::uint32_t>(run.integerAt(0));
    result.maxValueNameLen = static_cast<std::uint32_t>(run.integerAt(1));
    result.maxValueLen = static_cast<std::uint32_t>(run.integerAt(2));
    info = result;
    return winerror::kSuccess;
}

LSTATUS Hive::subkeyAt(std::int64_t keyId, std::uint32_t index, std::string& name) {
    waitAs(Purpose::Reading);
    const Listing* listing = listingOf(keyId, KeyListings::Kind::Subkeys);
    if (listing == nullptr) {
        return subkeyByOffset(keyId, index, name);
    }
    if (index >= listing->entries.size()) {
        return winerror::kNoMoreItems;
    }
    name = listing->entries[index].name;
    return winerror::kSuccess;
}

LSTATUS Hive::valueAt(std::int64_t keyId, std::uint32_t index, std::string& name, ValueRead& out) {
    waitAs(Purpose::Reading);
    const Listing* listing = listingOf(keyId, KeyListings::Kind::Values);
    if (listing == nullptr) {
        return valueByOffset(keyId, index, name, out);
    }
    if (index >= listing->entries.size()) {
        return winerror::kNoMoreItems;
    }
    const ListedEntry& entry = listing->entries[index];
    if (!listing->dataHeld) {
        LSTATUS status = winerror::kSuccess;
        if (!valueById(entry.id, out, status)) {
            // Deleted since the listing was checked: the hive as it is now decides.
            return valueByOffset(keyId, index, name, out);
        }
        name = entry.name;
        return status;
    }
    name = entry.name;
    out.type = entry.type;
    out.size = static_cast<std::uint32_t>(entry.data.size());
    out.copied = out.buffer != nullptr && out.size <= out.capacity;
    if (out.copied && out.size > 0) {
        std::memcpy(out.buffer, entry.data.data(), out.size);
    }
    return winerror::kSuccess;
}

const Listing* Hive::listingOf(std::int64_t keyId, KeyListings::Kind kind) {
    ListingVersion version;
    if (!listingVersion(version)) {
        return nullptr;
    }
    if (const Listing* known = listings_.find(keyId, kind, version)) {
        return known;
    }
    Listing listing;
    ListingVersion after;
    if (!readListing(keyId, kind, listing) || !listingVersion(after) || !(after == version)) {
        return nullptr;
    }
    return &listings_.keep(keyId, kind, version, std::move(listing));
}

bool Hive::listingVersion(ListingVersion& version) {
    if (connection_.inTransaction()) {
        return false;
    }
    version.ownCommits = ownCommits_;
    if (cacheable_) {
        return connection_.walIndexHeader(version.wal);
    }
    sqlite3_stmt* statement = nullptr;
    if (prepare(kDataVersion, statement) != SQLITE_OK) {
        return false;
    }
    StatementRun run(statement);
    if (run.step() != SQLITE_ROW) {
        return false;
    }
    version.dataVersion = run.integerAt(0);
    return true;
}

bool Hive::readListing(std::int64_t keyId, KeyListings::Kind kind, Listing& listing) {
    const bool values = kind == KeyListings::Kind::Values;
    sqlite3_stmt* statement = nullptr;
    if (prepare(values ? kListValues : kListSubkeys, statement) != SQLITE_OK) {
        return false;
    }
    StatementRun run(statement);
    run.bind(1, keyId);
    std::size_t bytes = 0;
    int rc = SQLITE_ROW;
    while ((rc = run.step()) == SQLITE_ROW) {
        ListedEntry entry;
        if (!values) {
            entry.name = run.bytesAt(0);
        } else {
            entry.id = run.integerAt(0);
            entry.name = run.bytesAt(1);
            entry.type = static_cast<std::uint32_t>(run.integerAt(2));
            const std::string_view data = run.bytesAt(3);
            bytes += data.size();
            listing.dataHeld = listing.dataHeld && bytes <= kListingBytes;
            if (listing.dataHeld) {
                entry.data = data;
            }
        }
        listing.entries.push_back(std::move(entry));
    }
    if (!listing.dataHeld) {
        for (ListedEntry& entry : listing.entries) {
            entry.data = std::string();
        }
    }
    return rc == SQLITE_DONE;
}

bool Hive::valueById(std::int64_t id, ValueRead& out, LSTATUS& status) {
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kValueById, statement); rc != SQLITE_OK) {
        status = forReading(rc);
        return true;
    }
    StatementRun run(statement);
    run.bind(1, id);
    const int rc = run.step();
    if (rc == SQLITE_DONE) {
        return false;
    }
    status = rc == SQLITE_ROW ? winerror::kSuccess : forReading(rc);
    if (rc == SQLITE_ROW) {
        takeValue(run, 0, out);
    }
    return true;
}

LSTATUS Hive::subkeyByOffset(std::int64_t keyId, std::uint32_t index, std::string& name) {
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kSubkeyAt, statement); rc != SQLITE_OK) {
        return forReading(rc);
    }
    StatementRun run(statement);
    run.bind(1, keyId).bind(2, index);
    const int rc = run.step();
    if (rc != SQLITE_ROW) {
        return rc == SQLITE_DONE ? winerror::kNoMoreItems : forReading(rc);
    }
    name = run.bytesAt(0);
    return winerror::kSuccess;
}

LSTATUS Hive::valueByOffset(std::int64_t keyId, std::uint32_t index, std::string& name,
                            ValueRead& out) {
    sqlite3_stmt* statement = nullptr;
    if (const int rc = prepare(kValueAt, statement); rc != SQLITE_OK) {
        return forReading(rc);
    }
    StatementRun run(statement);
    run.bind(1, keyId).bind(2, index);
    const int rc = run.step();
    if (rc != SQLITE_ROW) {
        return rc == SQLITE_DONE ? winerror::kNoMoreItems : forReading(rc);
    }
    name = run.bytesAt(0);
    takeValue(run, 1, out);
    return winerror::kSuccess;
}

}  // namespace platform::sqlitestore
