#include <fstream>

#include "tools/reg/AnsiText.h"
#include "tools/reg/RegFileWriter.h"
#include "tools/reg/RegLimits.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

// `depth` counts the names of the key's path, as the limit that import keeps to does:
// only a store that some other program filled could go on further.
void exportKey(RegFileWriter& writer, const RegKeyName& name, const std::string& path,
               std::size_t depth) {
    if (depth > kMaxKeyDepth) {
        throw RegToolError("The key " + name.fullName() + " is nested too deeply");
    }
    RegKeyHandle key;
    platform::LSTATUS status = key.open(name.root, path, platform::kKeyRead);
    std::vector<RawValue> values;
    std::vector<std::string> subKeys;
    if (status == platform::winerror::kSuccess) {
        status = key.readValues(values);
    }
    if (status == platform::winerror::kSuccess) {
        status = key.subKeyNames(subKeys);
    }
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(name.fullName(), status);
    }
    writer.beginKey(name.fullName());
    for (const auto& value : values) {
        writer.addValue(value);
    }
    for (const auto& subKey : subKeys) {
        const std::string subPath = path.empty() ? subKey : path + "\\" + subKey;
        exportKey(writer, name.child(fromAnsi(subKey)), subPath, depth + 1);
    }
}

void writeFile(const std::string& file, const std::string& text) {
    std::ofstream stream(filePath(file), std::ios::binary | std::ios::trunc);
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.close();
    if (!stream) {
        throw RegToolError("Cannot write the file " + file);
    }
}

}  // namespace

void runExport(const RegCommand& command, RegConsole& console) {
    {
        RegKeyHandle key;
        openExistingKey(command.key, platform::kKeyRead, key);
    }
    // The whole file is built first: a registry failure leaves no half-written file.
    RegFileWriter writer;
    exportKey(writer, command.key, ansiPath(command.key), keyDepth(command.key.path));
    std::error_code ignored;
    if (!command.force && std::filesystem::exists(filePath(command.file), ignored) &&
        !console.confirm("File " + command.file + " already exists. Overwrite")) {
        throw RegToolError("The operation was cancelled; " + command.file + " was not written");
    }
    writeFile(command.file, writer.text());
    reportSuccess(console);
}

}  // namespace regtool
