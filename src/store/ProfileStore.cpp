#include "store/ProfileStore.h"

#include "registry/modRegistryAccess.h"
#include "store/ConfigurationFields.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/SettingsSchema.h"

namespace store {

namespace {

using modRegistryAccess::RegValue;

RegValue readSlotValue(const ConfigurationField& field, int slot) {
    return modRegistryAccess::ReadRegValue(schema::kUserHive, schema::kProfilesKey,
                                           valueName(field.name, slot));
}

// Writes `kept` where it is not Empty, as it was read (a REG_DWORD as one), else the
// field's value in `record` in the program's form.
void writeField(int slot, const ConfigurationField& field, const Configuration& record,
                const RegValue& kept) {
    using namespace modRegistryAccess;
    const bool number = std::holds_alternative<std::int32_t>(kept);
    WriteRegValue(schema::kUserHive, schema::kProfilesKey, valueName(field.name, slot),
                  isEmpty(kept) ? RegValue(storedText(record, field)) : kept,
                  number ? kRegDword : kRegSz);
}

}  // namespace

StoredValues unchangedFields(const Configuration& now, const Configuration& shown,
                             const StoredValues& stored) {
    StoredValues kept;
    for (std::size_t i = 0; i < kConfigurationFields.size(); ++i) {
        if (sameField(now, shown, kConfigurationFields[i])) {
            kept[i] = stored[i];
        }
    }
    return kept;
}

void saveProfile(int slot, const Configuration& record, std::int16_t runAtStartup, int listCount,
                 const KeptValues& kept) {
    if (slot < 0) {
        return;
    }
    createUserKeys();
    writeRunAtStartup(runAtStartup, kept.runAtStartup);
    writeConfNumber(listCount);
    writeConfiguration(slot, record, kept.fields);
}

LoadedProfile loadProfile(int slot) {
    LoadedProfile loaded;
    if (slot < 0) {
        return loaded;
    }
    // The identifier is read before the global, the rest after it, as the window always
    // has; the table's first field is ProfileID.
    loaded.stored[0] = readSlotValue(kConfigurationFields.front(), slot);
    loaded.storedRunAtStartup = readRunAtStartupValue();
    loaded.runAtStartup = readRunAtStartup(loaded.storedRunAtStartup);
    for (std::size_t i = 1; i < kConfigurationFields.size(); ++i) {
        loaded.stored[i] = readSlotValue(kConfigurationFields[i], slot);
    }
    loaded.record = decodeConfiguration(loaded.stored);
    return loaded;
}

void writeConfiguration(int slot, const Configuration& record, const StoredValues& kept) {
    if (slot < 0) {
        return;
    }
    for (std::size_t i = 0; i < kConfigurationFields.size(); ++i) {
        writeField(slot, kConfigurationFields[i], record, kept[i]);
    }
}

Configuration readConfiguration(int slot) {
    return decodeConfiguration(readStoredValues(slot));
}

StoredValues readStoredValues(int slot) {
    StoredValues values;
    if (slot < 0) {
        return values;
    }
    for (std::size_t i = 0; i < kConfigurationFields.size(); ++i) {
        values[i] = readSlotValue(kConfigurationFields[i], slot);
    }
    return values;
}

Configuration decodeConfiguration(const StoredValues& values) {
    Configuration record;
    for (std::size_t i = 0; i < kConfigurationFields.size(); ++i) {
        assignStored(record, kConfigurationFields[i], values[i]);
    }
    return record;
}

void moveStoredValues(int slot, const StoredValues& values, const StoredValues& current) {
    if (slot < 0) {
        return;
    }
    for (std::size_t i = 0; i < kConfigurationFields.size(); ++i) {
        const auto& field = kConfigurationFields[i];
        if (values[i] == current[i]) {
            continue;
        }
        if (modRegistryAccess::isEmpty(values[i])) {
            modRegistryAccess::DeleteRegValue(schema::kUserHive, schema::kProfilesKey,
                                              valueName(field.name, slot));
        } else {
            writeField(slot, field, Configuration{}, values[i]);
        }
    }
}

void deleteProfile(int slot) {
    if (slot < 0) {
        return;
    }
    for (const auto& field : kConfigurationFields) {
        modRegistryAccess::DeleteRegValue(schema::kUserHive, schema::kProfilesKey,
                                          valueName(field.name, slot));
    }
}

bool slotHoldsValues(int slot) {
    for (const auto& field : kConfigurationFields) {
        if (!modRegistryAccess::isEmpty(readSlotValue(field, slot))) {
            return true;
        }
    }
    return false;
}

}  // namespace store
