#include "registry/modRegistryAccess.h"
#include "tools/reg/AnsiText.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"
#include "tools/reg/RegValueText.h"

namespace regtool {

namespace {

// The value to write, checked before anything is created.
modRegistryAccess::RegValue valueOf(const RegCommand& command) {
    if (command.type == platform::regtype::kDword) {
        // Like reg.exe, no data means 0.
        const std::uint32_t bits = command.data.empty() ? 0 : parseDword(command.data);
        return static_cast<std::int32_t>(bits);
    }
    toAnsiExactly(command.data, "The data");
    return command.data;
}

void writeValue(const RegCommand& command, RegConsole& console, const RegKeyHandle& key) {
    const std::string& name = *command.valueName;
    const modRegistryAccess::RegValue value = valueOf(command);
    RawValue existing;
    if (!command.force &&
        key.readValue(toAnsiExactly(name, "The value name " + name), existing) ==
            platform::winerror::kSuccess &&
        !console.confirm("Value " + valueLabel(name) + " exists, overwrite")) {
        throw RegToolError("The operation was cancelled; nothing was written");
    }
    const platform::LSTATUS status = modRegistryAccess::WriteOpenKeyValue(
        key.handle(), name, static_cast<std::int32_t>(command.type), value);
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(command.key.fullName(), status);
    }
}

}  // namespace

void runAdd(const RegCommand& command, RegConsole& console) {
    const std::string path = ansiPath(command.key);
    if (command.valueName) {
        toAnsiExactly(*command.valueName, "The value name " + *command.valueName);
        valueOf(command);
    }
    RegKeyHandle key;
    const platform::LSTATUS status = key.create(command.key.root, path);
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(command.key.fullName(), status);
    }
    if (command.valueName) {
        writeValue(command, console, key);
    }
    reportSuccess(console);
}

}  // namespace regtool
