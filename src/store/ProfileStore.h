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

// The nineteen values of a slot as read, in the canonical order (Empty where missing).
using StoredValues = std::array<modRegistryAccess::RegValue, kConfigurationFields.size()>;

// What LoadProfile reads: the record and the global RunAtStartup it reads on the way, and
// both as stored.
struct LoadedProfile {
    Configuration record;
    std::int16_t runAtStartup = 0;
    StoredValues stored;
    modRegistryAccess::RegValue storedRunAtStartup;
};

// The values a save writes back as they were read (Empty: the program's own form). A
// configuration nobody edited is thereby stored back unchanged, whatever it held: a check
// box state of 2, text in a number field, a text longer than a field takes.
struct KeptValues {
    StoredValues fields;
    modRegistryAccess::RegValue runAtStartup;
};
// The stored values of the fields in which `now` still holds what `shown` held when the
// values were read (`stored`); Empty for the others.
StoredValues unchangedFields(const Configuration& now, const Configuration& shown,
                             const StoredValues& stored);

// Creates the three per-user keys where missing, writes RunAtStartup and ConfNumber
// (`listCount`, the number of entries in the list), then the nineteen values of `slot` in
// the canonical order, the password enciphered, and each value that `kept` holds as it is.
// Nothing happens for a negative slot.
void saveProfile(int slot, const Configuration& record, std::int16_t runAtStartup, int listCount,
                 const KeptValues& kept = {});

// Reads ProfileID, then RunAtStartup, then the other eighteen fields in the canonical
// order. Missing values read as empty, 0 or false; a negative slot reads nothing.
LoadedProfile loadProfile(int slot);

// Writes or reads only the nineteen values of a slot, in the canonical order.
void writeConfiguration(int slot, const Configuration& record, const StoredValues& kept = {});
Configuration readConfiguration(int slot);

StoredValues readStoredValues(int slot);
Configuration decodeConfiguration(const StoredValues& values);
// Makes `slot`, which holds `current`, hold `values` exactly (Empty: no such value),
// writing or deleting only the values that differ.
void moveStoredValues(int slot, const StoredValues& values, const StoredValues& current);

// Deletes the nineteen values of a slot; values that do not exist are passed over.
void deleteProfile(int slot);

// Whether any of the nineteen values of the slot exists.
bool slotHoldsValues(int slot);

}  // namespace store
