#include "platform/sqlite/HandleTable.h"

#include <utility>

namespace platform::sqlitestore {

namespace {
constexpr HKEY kStep = 4;

HKEY handleOf(std::size_t slot) {
    return (static_cast<HKEY>(slot) + 1) * kStep;
}

bool slotOf(HKEY key, std::size_t& slot) {
    if (key == 0 || key % kStep != 0) {
        return false;
    }
    slot = static_cast<std::size_t>(key / kStep - 1);
    return true;
}
}  // namespace

HKEY HandleTable::add(KeyHandle handle) {
    if (!free_.empty()) {
        const std::size_t slot = free_.back();
        free_.pop_back();
        slots_[slot] = std::move(handle);
        return handleOf(slot);
    }
    slots_.emplace_back(std::move(handle));
    return handleOf(slots_.size() - 1);
}

const KeyHandle* HandleTable::find(HKEY key) const {
    std::size_t slot = 0;
    if (!slotOf(key, slot) || slot >= slots_.size() || !slots_[slot]) {
        return nullptr;
    }
    return &*slots_[slot];
}

bool HandleTable::remove(HKEY key) {
    std::size_t slot = 0;
    if (!slotOf(key, slot) || slot >= slots_.size() || !slots_[slot]) {
        return false;
    }
    slots_[slot].reset();
    free_.push_back(slot);
    return true;
}

}  // namespace platform::sqlitestore
