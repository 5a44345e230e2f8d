#pragma once
// One hive of the key store: a SQLite file holding a tree of keys with typed values.
// The connection is opened on first use and kept; reading never creates the file or
// its directory, and a file that is not a sound hive of ours is never written.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Registry.h"
#include "platform/sqlite/Connection.h"
#include "platform/sqlite/HiveSchema.h"
#include "platform/sqlite/KeyListings.h"
#include "platform/sqlite/ReadCache.h"
#include "platform/sqlite/SqliteErrors.h"

namespace platform::sqlitestore {

enum class JournalMode {
    // Readers and writers of several processes work side by side.
    Wal,
    // Readable by users who may not write the directory (a root-owned machine hive):
    // WAL readers need to create the -shm file, rollback-journal readers need nothing.
    Rollback,
};

struct HiveSettings {
    std::filesystem::path file;
    bool ownerOnly = false;
    // Whether root may own the file and its directory besides the user running us.
    bool rootMayOwn = false;
    bool forcedReadOnly = false;
    JournalMode journal = JournalMode::Wal;
    // How long a write waits for another process's lock, and how long a read does.
    std::chrono::milliseconds busyTimeout{2000};
    std::chrono::milliseconds readTimeout{2000};
};

// A value's type and size, and its data copied into `buffer` when it fits `capacity`.
struct ValueRead {
    std::uint8_t* buffer = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    bool copied = false;
};

class Hive {
public:
    explicit Hive(HiveSettings settings) : settings_(std::move(settings)) {}

    // Readies the hive for reading. While the file is missing or empty `present` is
    // false and nothing is opened or made: the hive then reads as a bare root key.
    LSTATUS openForReading(bool& present);
    // Readies the hive for writing, laying out a new file when it is missing or empty.
    // ERROR_ACCESS_DENIED when this process may not change the hive.
    LSTATUS openForWriting();
    bool writable();

    // The operations below need a successful open; key ids come from findKey/createKey.
    // ERROR_FILE_NOT_FOUND when no key has that folded path.
    LSTATUS findKey(const std::string& foldedPath, std::int64_t& id);
    // Creates the missing keys of the normalized ANSI `path` below the parent, in one
    // transaction. `created` tells whether the last of them was new.
    LSTATUS createKey(std::int64_t parentId, std::string_view parentPath, std::string_view path,
                      std::int64_t& id, bool& created);
    // ERROR_FILE_NOT_FOUND when the key has no value of that folded name.
    LSTATUS readValue(std::int64_t keyId, std::string_view fold, ValueRead& out);
    // Replaces any value of that name whatever its type; a new one keeps `name` as spelled.
    LSTATUS writeValue(std::int64_t keyId, std::string_view name, std::string_view fold,
                       std::uint32_t type, const std::uint8_t* data, std::uint32_t count);
    LSTATUS deleteValue(std::int64_t keyId, std::string_view fold);
    // Deletes a key without subkeys, and its values; ERROR_ACCESS_DENIED when it has some.
    LSTATUS deleteKey(std::int64_t keyId);
    LSTATUS describeKey(std::int64_t keyId, KeyInfo& info);
    // Holds one write transaction across the calls that follow, until endWrites commits
    // it (keep) or rolls it back. Reads meanwhile see its writes and bypass the caches.
    LSTATUS beginWrites();
    LSTATUS endWrites(bool keep);
    // Subkeys in the registry's order (by upper-cased name), values in creation order;
    // ERROR_NO_MORE_ITEMS past the last one. Walking a key by index costs the same at
    // every step while the hive does not change.
    LSTATUS subkeyAt(std::int64_t keyId, std::uint32_t index, std::string& name);
    LSTATUS valueAt(std::int64_t keyId, std::uint32_t index, std::string& name, ValueRead& out);

private:
    LSTATUS openExisting(bool& present);
    int inspectThrough(bool readOnly, HiveState& state);
    void waitAs(Purpose purpose);
    LSTATUS layOutNewFile();
    LSTATUS checkLaidOut();
    void configureForWriting();
    int prepare(std::size_t slot, sqlite3_stmt*& statement);
    LSTATUS insertKey(std::int64_t parentId, std::string_view name, const std::string& path,
                      std::int64_t& id);
    LSTATUS lookUpKey(const std::string& foldedPath, std::int64_t& id);
    LSTATUS lookUpValue(std::int64_t keyId, std::string_view fold, ValueRead& out,
                        std::optional<ReadCache::Value>& copy);
    // Reads every value of the key into the cache, as of `version`.
    bool readAhead(std::int64_t keyId, const WalVersion& version);
    void startCaching();
    // The version under which a read may be answered from or kept in the cache.
    bool cacheVersion(WalVersion& version);
    bool unchangedSince(const WalVersion& version) const;
    // Around a write of our own: the version it starts from, then whether the cache could
    // follow it to the version it made. Only then may the caller remember what it wrote.
    // A failed write needs nothing: it changed nothing, and entries are checked against
    // the version before every use anyway.
    bool beforeOwnWrite(WalVersion& before);
    // What the cache knows of a value as the hive is now (see ReadCache::value).
    std::optional<const ReadCache::Value*> currentValue(std::int64_t keyId, std::string_view fold);
    bool followOwnWrite(bool tracked, const WalVersion& before);
    void closeConnection();
    bool writesLost() const { return inWrites_ && !connection_.inTransaction(); }
    // The key's subkeys or values as the hive is now, read afresh when it changed; null
    // when its version cannot be told or changed while they were read.
    const Listing* listingOf(std::int64_t keyId, KeyListings::Kind kind);
    bool listingVersion(ListingVersion& version);
    bool readListing(std::int64_t keyId, KeyListings::Kind kind, Listing& listing);
    LSTATUS subkeyByOffset(std::int64_t keyId, std::uint32_t index, std::string& name);
    LSTATUS valueByOffset(std::int64_t keyId, std::uint32_t index, std::string& name,
                          ValueRead& out);
    // False when the row is gone.
    bool valueById(std::int64_t id, ValueRead& out, LSTATUS& status);

    HiveSettings settings_;
    Connection connection_;
    ReadCache cache_;
    bool cacheable_ = false;
    KeyListings listings_;
    std::uint64_t ownCommits_ = 0;
    // Inside beginWrites. SQLite rolls a transaction back by itself on some errors (disk
    // full, I/O): the writes after it must then fail, not each commit alone.
    bool inWrites_ = false;
};

}  // namespace platform::sqlitestore
