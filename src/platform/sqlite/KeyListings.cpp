#include "platform/sqlite/KeyListings.h"

namespace platform::sqlitestore {

const Listing* KeyListings::find(std::int64_t keyId, Kind kind,
                                 const ListingVersion& version) const {
    const auto found = listings_.find({keyId, kind});
    if (found == listings_.end() || !(found->second.first == version)) {
        return nullptr;
    }
    return &found->second.second;
}

const Listing& KeyListings::keep(std::int64_t keyId, Kind kind, const ListingVersion& version,
                                 Listing listing) {
    if (listings_.size() >= kMaxListings) {
        listings_.clear();
    }
    auto& kept = listings_[{keyId, kind}];
    kept = {version, std::move(listing)};
    return kept.second;
}

}  // namespace platform::sqlitestore
