#include "tools/reg/RegOperations.h"

#include "tools/reg/AnsiText.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

std::string ansiPath(const RegKeyName& key) {
    return toAnsiExactly(key.path, "The key name " + key.fullName());
}

void openExistingKey(const RegKeyName& key, std::uint32_t access, RegKeyHandle& handle) {
    const platform::LSTATUS status = handle.open(key.root, ansiPath(key), access);
    if (status == platform::winerror::kFileNotFound) {
        throw RegToolError("The key " + key.fullName() + " was not found");
    }
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(key.fullName(), status);
    }
}

std::string valueLabel(const std::string& utf8Name) {
    return utf8Name.empty() ? "(Default)" : utf8Name;
}

RegToolError valueNotFound(const RegKeyName& key, const std::string& utf8Name) {
    return RegToolError("The value " + valueLabel(utf8Name) + " was not found in " +
                        key.fullName());
}

void reportSuccess(RegConsole& console) {
    console.out << "The operation completed successfully.\n";
}

std::filesystem::path filePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace regtool
