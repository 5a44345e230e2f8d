#pragma once
// Answers repeated reads of a WAL hive without a SQLite transaction, which costs two to
// four system calls (locks on the shared index) however little it reads.
//
// Entries are kept only while the hive's version (WalVersion.h) is unchanged, and an
// answer is only kept when the version was the same before and after the query that
// produced it, so no commit can have slipped in between. A commit of this process's own
// moves the cache on to the version it wrote, when it was the only commit in between:
// the entries it changed are updated and the others still hold. A key may be known whole,
// all its values read at once: a name not among them is then known to be absent.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/sqlite/WalVersion.h"

namespace platform::sqlitestore {

class ReadCache {
public:
    struct Value {
        std::uint32_t type = 0;
        std::string data;
    };
    static constexpr std::int64_t kMissingKey = -1;

    // Drops everything learnt under another version.
    void align(const WalVersion& version);
    // Moves on to `after`, the version of an own commit made on top of `before` with no
    // other commit in between: what was learnt under `before` still holds, apart from
    // what the commit changed, which the caller remembers anew.
    void advance(const WalVersion& before, const WalVersion& after);
    void clear();
    const WalVersion* version() const { return valid_ ? &version_ : nullptr; }

    // A key id, kMissingKey, or nothing when not known.
    std::optional<std::int64_t> key(const std::string& path) const;
    void rememberKey(const std::string& path, std::int64_t id);
    // A value, a known absence (null Value*), or nothing when not known.
    std::optional<const Value*> value(std::int64_t keyId, std::string_view fold) const;
    void rememberValue(std::int64_t keyId, std::string_view fold, std::optional<Value> value);
    // Every value the key has, by folded name: any other name is then known to be absent.
    void rememberAllValues(std::int64_t keyId, std::vector<std::pair<std::string, Value>> values);
    // A key too large to read whole, whose values are to be read one by one.
    void rememberTooLarge(std::int64_t keyId);
    bool tooLarge(std::int64_t keyId) const;

private:
    struct KeyValues {
        bool whole = false;
        bool tooLarge = false;
        std::map<std::string, std::optional<Value>, std::less<>> byFold;
    };

    bool valid_ = false;
    WalVersion version_{};
    std::unordered_map<std::string, std::int64_t> keys_;
    std::unordered_map<std::int64_t, KeyValues> values_;
};

}  // namespace platform::sqlitestore
