#include <sstream>

#include "tools/reg/AnsiText.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"
#include "tools/reg/RegValueText.h"

namespace regtool {

namespace {

constexpr const char* kColumnGap = "    ";

void writeValueLine(std::ostream& out, const RawValue& value) {
    out << kColumnGap << valueLabel(fromAnsi(value.name)) << kColumnGap << typeName(value.type)
        << kColumnGap << queryDataText(value) << '\n';
}

void writeOneValue(std::ostream& out, const RegCommand& command, const RegKeyHandle& key) {
    const std::string& name = *command.valueName;
    RawValue value;
    const platform::LSTATUS status =
        key.readValue(toAnsiExactly(name, "The value name " + name), value);
    if (status == platform::winerror::kFileNotFound) {
        throw valueNotFound(command.key, name);
    }
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(command.key.fullName(), status);
    }
    writeValueLine(out, value);
}

// All values, then, as reg.exe does, a blank line and the full names of the subkeys.
void writeWholeKey(std::ostream& out, const RegCommand& command, const RegKeyHandle& key) {
    std::vector<RawValue> values;
    std::vector<std::string> subKeys;
    platform::LSTATUS status = key.readValues(values);
    if (status == platform::winerror::kSuccess) {
        status = key.subKeyNames(subKeys);
    }
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(command.key.fullName(), status);
    }
    for (const auto& value : values) {
        writeValueLine(out, value);
    }
    if (!subKeys.empty()) {
        out << '\n';
    }
    for (const auto& subKey : subKeys) {
        out << command.key.child(fromAnsi(subKey)).fullName() << '\n';
    }
}

}  // namespace

void runQuery(const RegCommand& command, RegConsole& console) {
    RegKeyHandle key;
    openExistingKey(command.key, platform::kKeyRead, key);
    // Nothing reaches the console unless the whole answer could be read.
    std::ostringstream text;
    text << command.key.fullName() << '\n';
    if (command.valueName) {
        writeOneValue(text, command, key);
    } else {
        writeWholeKey(text, command, key);
    }
    console.out << text.str();
}

}  // namespace regtool
