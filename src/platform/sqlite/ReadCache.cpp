#include "platform/sqlite/ReadCache.h"

namespace platform::sqlitestore {

void ReadCache::align(const WalVersion& version) {
    if (!valid_ || version != version_) {
        keys_.clear();
        values_.clear();
        version_ = version;
        valid_ = true;
    }
}

void ReadCache::advance(const WalVersion& before, const WalVersion& after) {
    align(before);
    version_ = after;
}

void ReadCache::clear() {
    keys_.clear();
    values_.clear();
    valid_ = false;
}

std::optional<std::int64_t> ReadCache::key(const std::string& path) const {
    const auto found = keys_.find(path);
    if (found == keys_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void ReadCache::rememberKey(const std::string& path, std::int64_t id) {
    keys_[path] = id;
}

std::optional<const ReadCache::Value*> ReadCache::value(std::int64_t keyId,
                                                        std::string_view fold) const {
    const auto key = values_.find(keyId);
    if (key == values_.end()) {
        return std::nullopt;
    }
    const auto found = key->second.byFold.find(fold);
    if (found == key->second.byFold.end()) {
        if (key->second.whole) {
            return static_cast<const Value*>(nullptr);
        }
        return std::nullopt;
    }
    return found->second ? &*found->second : nullptr;
}

void ReadCache::rememberValue(std::int64_t keyId, std::string_view fold,
                              std::optional<Value> value) {
    auto& byFold = values_[keyId].byFold;
    const auto found = byFold.find(fold);
    if (found != byFold.end()) {
        found->second = std::move(value);
    } else {
        byFold.emplace(std::string(fold), std::move(value));
    }
}

void ReadCache::rememberAllValues(std::int64_t keyId,
                                  std::vector<std::pair<std::string, Value>> values) {
    KeyValues& key = values_[keyId];
    key.byFold.clear();
    for (auto& [fold, value] : values) {
        key.byFold.emplace(std::move(fold), std::move(value));
    }
    key.whole = true;
}

void ReadCache::rememberTooLarge(std::int64_t keyId) {
    values_[keyId].tooLarge = true;
}

bool ReadCache::tooLarge(std::int64_t keyId) const {
    const auto key = values_.find(keyId);
    return key != values_.end() && key->second.tooLarge;
}

}  // namespace platform::sqlitestore
