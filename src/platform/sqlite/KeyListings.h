#pragma once
// The subkeys or values of a key in the registry's order, read in one query and kept
// while the hive stays as it was. The registry functions enumerate by index, and a query
// with OFFSET reads every earlier row again at each step: walking n values that way
// costs n squared, walking a listing costs the same at every step.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/sqlite/WalVersion.h"

namespace platform::sqlitestore {

// What a hive looked like when a listing was read: the header of the WAL index for a
// WAL hive, SQLite's data_version for any other (it moves with other connections'
// commits only), and the count of this connection's own commits.
struct ListingVersion {
    WalVersion wal{};
    std::int64_t dataVersion = 0;
    std::uint64_t ownCommits = 0;

    bool operator==(const ListingVersion&) const = default;
};

struct ListedEntry {
    std::string name;
    // Values only: the row, and its type and data when the listing holds them.
    std::int64_t id = 0;
    std::uint32_t type = 0;
    std::string data;
};

struct Listing {
    std::vector<ListedEntry> entries;
    // False for values too large to keep together: their data is then read by row.
    bool dataHeld = true;
};

class KeyListings {
public:
    enum class Kind { Subkeys, Values };

    // The listing of the key as of `version`, or null when none is kept for it.
    const Listing* find(std::int64_t keyId, Kind kind, const ListingVersion& version) const;
    const Listing& keep(std::int64_t keyId, Kind kind, const ListingVersion& version,
                        Listing listing);
    void clear() { listings_.clear(); }

private:
    // A program walks a few keys at a time (a key, then each of its subkeys).
    static constexpr std::size_t kMaxListings = 8;

    std::map<std::pair<std::int64_t, Kind>, std::pair<ListingVersion, Listing>> listings_;
};

}  // namespace platform::sqlitestore
