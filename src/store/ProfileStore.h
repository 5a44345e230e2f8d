#pragma once
// The registry side of moving one configuration between the editor and its slot. The
// window's SaveProfile is writeExternLang (GlobalSettings.h), then, for a slot that is not
// negative, saveProfile; its LoadProfile is loadProfile; its DeleteProfile deleteProfile.
// The order of the writes is what the notifier sees and is kept exactly.

#include <array>
#include <cstdint>

#include "registry/RegValue.h"
#include "store/Configuration.h"
#include "store/ConfigurationFields.h"

namespace store {

// What LoadProfile reads: the record and the global RunAtStartup it reads on the way.
struct LoadedProfile {
    Configuration record;
    std::int16_t runAtStartup = 0;
};

// Creates the three per-user keys where missing, writes RunAtStartup and ConfNumber
// (`listCount`, the number of entries in the list), then the nineteen values of `slot` in
// the canonical order, the password enciphered. Nothing happens for a negative slot.
void saveProfile(int slot, const Configuration& record, std::int16_t runAtStartup, int listCount);

// Reads ProfileID, then RunAtStartup, then the other eighteen fields in the canonical
// order. Missing values read as empty, 0 or false; a negative slot reads nothing.
LoadedProfile loadProfile(int slot);

// Writes or reads only the nineteen values of a slot, in the canonical order.
void writeConfiguration(int slot, const Configuration& record);
Configuration readConfiguration(int slot);

// The nineteen values of a slot as read, in the canonical order (Empty where missing).
using StoredValues = std::array<modRegistryAccess::RegValue, kConfigurationFields.size()>;
StoredValues readStoredValues(int slot);
Configuration decodeConfiguration(const StoredValues& values);
// Writes, in the canonical order, the values of `record` whose stored text differs from
// what the slot holds now (`current`). The slot ends up as writeConfiguration would leave
// it, without the writes that would store the same bytes again.
void writeConfigurationChanges(int slot, const Configuration& record, const StoredValues& current);

// Deletes the nineteen values of a slot; values that do not exist are passed over.
void deleteProfile(int slot);

// Whether any of the nineteen values of the slot exists.
bool slotHoldsValues(int slot);

}  // namespace store
