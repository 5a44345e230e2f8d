#include "store/ProfileList.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <set>
#include <utility>

#include "registry/modRegistryAccess.h"
#include "store/ConfigurationFields.h"
#include "store/ProfileStore.h"
#include "store/SettingsSchema.h"
#include "store/StoredValue.h"

namespace store {

namespace {

using modRegistryAccess::kRegSz;
using modRegistryAccess::ReadRegValue;
using modRegistryAccess::RegValue;
using modRegistryAccess::WriteRegValue;

RegValue readUserValue(const char* name) {
    return ReadRegValue(schema::kUserHive, schema::kProductKey, name);
}

RegValue readSlotValue(const char* field, int slot) {
    return ReadRegValue(schema::kUserHive, schema::kProfilesKey, valueName(field, slot));
}

// A store written by hand may leave a few slots out; a run of this many empty slots ends it.
constexpr int kEmptySlotsBridged = 16;

// The slots from 0 up that hold values, below `limit`, for when ConfNumber cannot be trusted.
int countStoredSlots(int limit) {
    int count = 0;
    for (int slot = 0, empty = 0; slot < limit && empty < kEmptySlotsBridged; ++slot) {
        if (slotHoldsValues(slot)) {
            count = slot + 1;
            empty = 0;
        } else {
            ++empty;
        }
    }
    return count;
}

// LastID as a number: missing, text and negative numbers count as 0; beyond the range of
// ProfileID it is kept as it is, so that it is neither handed out nor lowered.
std::int64_t storedLastID() {
    const auto lastID = storedInteger(readUserValue(schema::kLastID));
    return lastID && *lastID > 0 ? *lastID : 0;
}

std::set<std::int32_t> identifiersInUse(int count) {
    std::set<std::int32_t> identifiers;
    for (int slot = 0; slot < count; ++slot) {
        const auto id = storedInteger(readSlotValue(kProfileIDField.name, slot));
        if (id && *id >= 0 && *id <= std::numeric_limits<std::int32_t>::max()) {
            identifiers.insert(static_cast<std::int32_t>(*id));
        }
    }
    return identifiers;
}

}  // namespace

std::string listEntryText(int index, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", index + 1);
    return number + (": " + name);
}

int listedConfigurationCount() {
    const RegValue stored = readUserValue(schema::kConfNumber);
    if (modRegistryAccess::isEmpty(stored)) {
        return 0;
    }
    const auto number = storedInteger(stored);
    if (number && *number <= 0) {
        return 0;
    }
    // The usual case costs one read: the last slot ConfNumber claims is there.
    if (number && *number <= schema::kMaxConfigurations &&
        slotHoldsValues(static_cast<int>(*number) - 1)) {
        return static_cast<int>(*number);
    }
    // Too large or unreadable: count what is stored rather than show phantom entries or
    // hide configurations (a new one would then be saved over the first).
    return countStoredSlots(
        number ? static_cast<int>(std::min<std::int64_t>(*number, schema::kMaxConfigurations))
               : schema::kMaxConfigurations);
}

std::vector<std::string> readProfileNames() {
    const int count = listedConfigurationCount();
    std::vector<std::string> names;
    names.reserve(count);
    for (int slot = 0; slot < count; ++slot) {
        names.push_back(readText(readSlotValue(kConfNameField.name, slot)));
    }
    return names;
}

void writeConfNumber(int count) {
    WriteRegValue(schema::kUserHive, schema::kProductKey, schema::kConfNumber, numberText(count),
                  kRegSz);
}

std::int32_t nextProfileID() {
    const auto inUse = identifiersInUse(listedConfigurationCount());
    const std::int64_t next =
        std::max<std::int64_t>(storedLastID(), inUse.empty() ? 0 : *inUse.rbegin() + 1LL);
    if (next <= std::numeric_limits<std::int32_t>::max()) {
        return static_cast<std::int32_t>(next);
    }
    std::int32_t candidate = 0;
    while (inUse.count(candidate) != 0) {
        ++candidate;
    }
    return candidate;
}

void writeLastIDAfter(std::int32_t allocated) {
    if (storedLastID() > allocated) {
        return;
    }
    WriteRegValue(schema::kUserHive, schema::kProductKey, schema::kLastID,
                  numberText(std::int64_t{allocated} + 1), kRegSz);
}

void removeConfiguration(int slot, int count) {
    if (slot < 0 || slot >= count) {
        return;
    }
    // What each destination slot holds is what the previous step read from it.
    StoredValues below = readStoredValues(slot);
    for (int from = slot + 1; from < count; ++from) {
        StoredValues moving = readStoredValues(from);
        moveStoredValues(from - 1, moving, below);
        below = std::move(moving);
    }
    deleteProfile(count - 1);
    writeConfNumber(count - 1);
}

}  // namespace store
