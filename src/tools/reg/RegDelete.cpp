#include "tools/reg/AnsiText.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

void runDelete(const RegCommand& command, RegConsole& console) {
    const std::string& name = *command.valueName;
    RegKeyHandle key;
    openExistingKey(command.key, platform::kKeyWriteAccess, key);
    const std::string ansiName = toAnsiExactly(name, "The value name " + name);
    RawValue existing;
    platform::LSTATUS status = key.readValue(ansiName, existing);
    if (status == platform::winerror::kFileNotFound) {
        throw valueNotFound(command.key, name);
    }
    if (!command.force && !console.confirm("Delete the registry value " + valueLabel(name))) {
        throw RegToolError("The operation was cancelled; nothing was deleted");
    }
    status = key.deleteValue(ansiName);
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(command.key.fullName(), status);
    }
    reportSuccess(console);
}

}  // namespace regtool
