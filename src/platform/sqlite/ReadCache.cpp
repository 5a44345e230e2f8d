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
    const auto found = values_.find(std::make_pair(keyId, std::string(fold)));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second ? &*found->second : nullptr;
}

void ReadCache::rememberValue(std::int64_t keyId, std::string_view fold,
                              std::optional<Value> value) {
    values_[std::make_pair(keyId, std::string(fold))] = std::move(value);
}

}  // namespace platform::sqlitestore
