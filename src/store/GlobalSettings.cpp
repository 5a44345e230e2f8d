#include "store/GlobalSettings.h"

#include "platform/TextCase.h"
#include "store/SettingsSchema.h"
#include "store/StoredValue.h"

namespace store {

namespace {

using modRegistryAccess::kRegSz;
using modRegistryAccess::ReadRegValue;
using modRegistryAccess::WriteRegValue;

modRegistryAccess::RegValue readUserValue(const char* name) {
    return ReadRegValue(schema::kUserHive, schema::kProductKey, name);
}

void writeUserValue(const char* name, const std::string& text) {
    WriteRegValue(schema::kUserHive, schema::kProductKey, name, text, kRegSz);
}

modRegistryAccess::RegValue readMachineValue(const std::string& name) {
    return ReadRegValue(schema::kMachineHive, schema::kMachineKey, name);
}

}  // namespace

std::string externLangValue(const std::string& choice, const std::string& noLanguageText) {
    return platform::equalsIgnoreCase(choice, noLanguageText) ? std::string() : choice;
}

void writeExternLang(const std::string& choice, const std::string& noLanguageText) {
    writeUserValue(schema::kExternLang, externLangValue(choice, noLanguageText));
}

std::string readExternLang() {
    return readText(readUserValue(schema::kExternLang));
}

void createUserKeys() {
    for (const char* path : {schema::kVendorKey, schema::kProductKey, schema::kProfilesKey}) {
        modRegistryAccess::CreateRegKey(schema::kUserHive, path);
    }
}

std::int16_t readRunAtStartup() {
    return readRunAtStartup(readRunAtStartupValue());
}

modRegistryAccess::RegValue readRunAtStartupValue() {
    return readUserValue(schema::kRunAtStartup);
}

std::int16_t readRunAtStartup(const modRegistryAccess::RegValue& stored) {
    return readInt16(stored);
}

void writeRunAtStartup(std::int16_t state, const modRegistryAccess::RegValue& kept) {
    if (const auto* number = std::get_if<std::int32_t>(&kept)) {
        WriteRegValue(schema::kUserHive, schema::kProductKey, schema::kRunAtStartup, *number,
                      modRegistryAccess::kRegDword);
    } else if (!modRegistryAccess::isEmpty(kept)) {
        writeUserValue(schema::kRunAtStartup, modRegistryAccess::toText(kept));
    } else {
        writeUserValue(schema::kRunAtStartup, numberText(state));
    }
}

bool readConfigured() {
    return readBoolean(readUserValue(schema::kConfigured));
}

void writeConfigured(bool configured) {
    writeUserValue(schema::kConfigured, booleanText(configured));
}

std::string readHomeDir() {
    return readText(readMachineValue(schema::kHomeDir));
}

std::string readWorkMode(int serverType) {
    return readText(readMachineValue(schema::kWorkMode + std::to_string(serverType)));
}

void writeVersion() {
    WriteRegValue(schema::kMachineHive, schema::kMachineKey, schema::kVersion,
                  std::string(schema::kVersionText), kRegSz);
}

}  // namespace store
