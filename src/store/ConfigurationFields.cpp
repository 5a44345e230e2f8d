#include "store/ConfigurationFields.h"

#include "store/RC4_Calc.h"
#include "store/StoredValue.h"

namespace store {

namespace {
template <typename T>
T Configuration::*memberOf(const ConfigurationField& field) {
    // The table pairs each form with one member type; a mismatch is a bug of the table
    // and throws std::bad_variant_access on the first save.
    return std::get<T Configuration::*>(field.member);
}
}  // namespace

std::string valueName(std::string_view fieldName, int slot) {
    return std::string(fieldName) + std::to_string(slot);
}

bool sameField(const Configuration& a, const Configuration& b, const ConfigurationField& field) {
    return std::visit([&](auto member) { return a.*member == b.*member; }, field.member);
}

std::string storedText(const Configuration& record, const ConfigurationField& field) {
    switch (field.form) {
        case StoredForm::Number:
            return numberText(record.*memberOf<std::int32_t>(field));
        case StoredForm::Index:
        case StoredForm::CheckBox:
            return numberText(record.*memberOf<std::int16_t>(field));
        case StoredForm::Boolean:
            return booleanText(record.*memberOf<bool>(field));
        case StoredForm::Text:
            return record.*memberOf<std::string>(field);
        case StoredForm::Password:
            return RC4_Calc::EncryptPassword(record.*memberOf<std::string>(field));
    }
    return {};
}

void assignStored(Configuration& record, const ConfigurationField& field,
                  const modRegistryAccess::RegValue& value) {
    switch (field.form) {
        case StoredForm::Number:
            record.*memberOf<std::int32_t>(field) = readInt32(value);
            break;
        case StoredForm::Index:
        case StoredForm::CheckBox:
            record.*memberOf<std::int16_t>(field) = readInt16(value);
            break;
        case StoredForm::Boolean:
            record.*memberOf<bool>(field) = readBoolean(value);
            break;
        case StoredForm::Text:
            record.*memberOf<std::string>(field) = readText(value);
            break;
        case StoredForm::Password:
            record.*memberOf<std::string>(field) = RC4_Calc::DecryptPassword(readText(value));
            break;
    }
}

}  // namespace store
