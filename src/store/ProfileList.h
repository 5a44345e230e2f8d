#pragma once
// The list of configurations as the registry holds it: ConfNumber, the slots 0 to
// ConfNumber - 1, the names the list shows, identifiers from LastID, and the renumbering
// that deleting a configuration needs because value names carry the slot.

#include <cstdint>
#include <string>
#include <vector>

namespace store {

// The text of list entry `index`: index + 1 with at least two digits, ": " and the name
// ("01: Work", "10: Home", "100: Club").
std::string listEntryText(int index, const std::string& name);

// How many configurations the list holds: ConfNumber, where missing, zero or negative mean
// none. A store written by hand may claim more slots than it holds, or hold something that
// is no number at all; then the slots are counted from 0 up to the last one holding values
// (within the 16-bit slot range; a run of 16 empty slots ends the count), so that neither
// phantom entries appear nor real configurations vanish from the list, where a new one
// would be saved over them. Gaps inside the list stay entries. Reads only: the caller's
// next save writes the corrected count.
int listedConfigurationCount();

// The names of the listed configurations, slot by slot ("" for a missing name).
std::vector<std::string> readProfileNames();

void writeConfNumber(int count);

// The identifier for a new configuration: LastID (missing counts as 0), raised past every
// identifier that a listed configuration holds, so that a LastID damaged or written by hand
// never hands out one that is in use. The whole 32-bit range of ProfileID is supported;
// once LastID or the identifiers in use are past it, the smallest identifier not in use is
// taken. Reads only.
std::int32_t nextProfileID();
// Records that `allocated` has been handed out: LastID becomes allocated + 1, unless it
// already holds a larger number. LastID never goes down.
void writeLastIDAfter(std::int32_t allocated);

// Deleting the configuration in `slot` from a list of `count` entries, as the window does
// it: every later configuration moves one slot lower exactly as it is stored (its ProfileID
// with it, odd values as they are, a missing value stays missing), the last slot's values
// are deleted and ConfNumber becomes count - 1. Deleting the only configuration deletes
// slot 0 and writes ConfNumber 0. LastID is not lowered. Only the values that differ from
// what the lower slot holds are written: on a registry that commits every value, the
// writes are what a deletion costs.
void removeConfiguration(int slot, int count);

}  // namespace store
