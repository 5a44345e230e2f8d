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

void readField(Configuration& record, const ConfigurationField& field, int slot) {
    assignStored(record, field, readSlotValue(field, slot));
}

}  // namespace

void saveProfile(int slot, const Configuration& record, std::int16_t runAtStartup, int listCount) {
    if (slot < 0) {
        return;
    }
    createUserKeys();
    writeRunAtStartup(runAtStartup);
    writeConfNumber(listCount);
    writeConfiguration(slot, record);
}

LoadedProfile loadProfile(int slot) {
    LoadedProfile loaded;
    if (slot < 0) {
        return loaded;
    }
    // The identifier is read before the global, the rest after it, as the window always
    // has; the table's first field is ProfileID.
    readField(loaded.record, kConfigurationFields.front(), slot);
    loaded.runAtStartup = readRunAtStartup();
    for (std::size_t i = 1; i < kConfigurationFields.size(); ++i) {
        readField(loaded.record, kConfigurationFields[i], slot);
    }
    return loaded;
}

void writeConfiguration(int slot, const Configuration& record) {
    if (slot < 0) {
        return;
    }
    for (const auto& field : kConfigurationFields) {
        modRegistryAccess::WriteRegValue(schema::kUserHive, schema::kProfilesKey,
                                         valueName(field.name, slot), storedText(record, field),
                                         modRegistryAccess::kRegSz);
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

void writeConfigurationChanges(int slot, const Configuration& record, const StoredValues& current) {
    if (slot < 0) {
        return;
    }
    for (std::size_t i = 0; i < kConfigurationFields.size(); ++i) {
        const auto& field = kConfigurationFields[i];
        // Compared as stored, type included: a hand-written "True" or a REG_DWORD is replaced
        // by the program's own form, exactly as a full save would replace it.
        RegValue text = storedText(record, field);
        if (current[i] != text) {
            modRegistryAccess::WriteRegValue(schema::kUserHive, schema::kProfilesKey,
                                             valueName(field.name, slot), text,
                                             modRegistryAccess::kRegSz);
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
