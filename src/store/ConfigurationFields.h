#pragma once
// The one table of the Configuration record's fields, in the canonical order in which
// they are written, read and deleted. Saving, loading and deleting all walk it, so the
// three cannot drift apart.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "registry/RegValue.h"
#include "store/Configuration.h"

namespace store {

// How a field is stored: Number and Index as decimal text, CheckBox "1"/"0",
// Boolean "-1"/"0", Text as it is, Password enciphered.
enum class StoredForm { Number, Index, CheckBox, Boolean, Text, Password };

using FieldMember = std::variant<std::int32_t Configuration::*, std::int16_t Configuration::*,
                                 bool Configuration::*, std::string Configuration::*>;

struct ConfigurationField {
    const char* name;
    StoredForm form;
    FieldMember member;
};

inline constexpr std::array<ConfigurationField, 19> kConfigurationFields = {{
    {"ProfileID", StoredForm::Number, &Configuration::ProfileID},
    {"ConfName", StoredForm::Text, &Configuration::ConfName},
    {"EServType", StoredForm::Index, &Configuration::EServType},
    {"UserName", StoredForm::Text, &Configuration::UserName},
    {"UserPassword", StoredForm::Password, &Configuration::UserPassword},
    {"INetServer", StoredForm::Text, &Configuration::INetServer},
    {"INetPort", StoredForm::Text, &Configuration::INetPort},
    {"ExFolder", StoredForm::Text, &Configuration::ExFolder},
    {"ExFolderID", StoredForm::Text, &Configuration::ExFolderID},
    {"EClient", StoredForm::Text, &Configuration::EClient},
    {"WhTime", StoredForm::Text, &Configuration::WhTime},
    {"Alarm", StoredForm::CheckBox, &Configuration::Alarm},
    {"SoundOptionA", StoredForm::Boolean, &Configuration::SoundOptionA},
    {"SoundOptionB", StoredForm::Boolean, &Configuration::SoundOptionB},
    {"WavName", StoredForm::Text, &Configuration::WavName},
    {"PopupWin", StoredForm::CheckBox, &Configuration::PopupWin},
    {"RunEClient", StoredForm::CheckBox, &Configuration::RunEClient},
    {"WaitEClient", StoredForm::CheckBox, &Configuration::WaitEClient},
    {"ProfileEnabled", StoredForm::Boolean, &Configuration::ProfileEnabled},
}};
inline constexpr const ConfigurationField& kProfileIDField = kConfigurationFields[0];
inline constexpr const ConfigurationField& kConfNameField = kConfigurationFields[1];

// The registry value name of a field in a slot: the field name and the slot in decimal,
// with no separator and no padding ("ConfName0", "WhTime11").
std::string valueName(std::string_view fieldName, int slot);

// Whether the two records hold the same value in the field.
bool sameField(const Configuration& a, const Configuration& b, const ConfigurationField& field);

// The text stored for one field of the record.
std::string storedText(const Configuration& record, const ConfigurationField& field);
// Sets one field of the record from what was read for it (Empty when it was missing).
void assignStored(Configuration& record, const ConfigurationField& field,
                  const modRegistryAccess::RegValue& value);

}  // namespace store
