#pragma once
// Answers repeated reads of a WAL hive without a SQLite transaction, which costs three
// system calls (two locks and a stat) however little it reads.
//
// Every commit, by any process, rewrites the header of the hive's shared WAL index
// (the -shm file SQLite maps, laid out as its "WAL file format" documentation
// describes, the same for every SQLite version so that processes can share it). A copy
// of that header is the version of the hive's contents: entries are kept only while it
// is unchanged, and an answer is only kept when the header was the same before and
// after the query that produced it, so no commit can have slipped in between.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace platform::sqlitestore {

using WalVersion = std::array<unsigned char, 48>;

class ReadCache {
public:
    struct Value {
        std::uint32_t type = 0;
        std::string data;
    };
    static constexpr std::int64_t kMissingKey = -1;

    // Drops everything learnt under another version.
    void align(const WalVersion& version);
    void clear();
    const WalVersion* version() const { return valid_ ? &version_ : nullptr; }

    // A key id, kMissingKey, or nothing when not known.
    std::optional<std::int64_t> key(const std::string& path) const;
    void rememberKey(const std::string& path, std::int64_t id);
    // A value, a known absence (null Value*), or nothing when not known.
    std::optional<const Value*> value(std::int64_t keyId, std::string_view fold) const;
    void rememberValue(std::int64_t keyId, std::string_view fold, std::optional<Value> value);

private:
    bool valid_ = false;
    WalVersion version_{};
    std::unordered_map<std::string, std::int64_t> keys_;
    std::map<std::pair<std::int64_t, std::string>, std::optional<Value>, std::less<>> values_;
};

}  // namespace platform::sqlitestore
