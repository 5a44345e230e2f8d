#include <fstream>
#include <iterator>

#include "registry/modRegistryAccess.h"
#include "tools/reg/AnsiText.h"
#include "tools/reg/RegFileEncoding.h"
#include "tools/reg/RegFileReader.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

using Kind = RegFileValue::Kind;

std::string readFile(const std::string& file) {
    std::ifstream stream(filePath(file), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (!stream.is_open() || stream.bad()) {
        throw RegToolError("Cannot read the file " + file);
    }
    return bytes;
}

std::string ansiName(const std::string& name) {
    return toAnsiExactly(name, "The value name " + name);
}

// Every name and text must reach the code page unchanged; checked for the whole file
// before the first write.
void checkCodePage(const std::vector<RegFileKey>& keys, const std::string& file) {
    int line = 0;
    try {
        for (const auto& key : keys) {
            line = key.line;
            ansiPath(key.key);
            for (const auto& value : key.values) {
                line = value.line;
                ansiName(value.name);
                toAnsiExactly(value.text, "The text");
            }
        }
    } catch (const RegToolError& error) {
        throw RegToolError(file + ", line " + std::to_string(line) + ": " + error.what());
    }
}

platform::LSTATUS writeValue(const RegKeyHandle& key, const RegFileValue& value) {
    switch (value.kind) {
        case Kind::Text:
            return modRegistryAccess::WriteOpenKeyValue(key.handle(), value.name,
                                                        modRegistryAccess::kRegSz, value.text);
        case Kind::Dword:
            return modRegistryAccess::WriteOpenKeyValue(key.handle(), value.name,
                                                        modRegistryAccess::kRegDword,
                                                        static_cast<std::int32_t>(value.dword));
        case Kind::Raw:
            // Bytes the layer cannot express (raw strings, other types) go straight through.
            return key.writeValue(RawValue{ansiName(value.name), value.type, value.bytes});
        case Kind::Delete: {
            const platform::LSTATUS status = key.deleteValue(ansiName(value.name));
            // Like regedit: deleting what is not there is no failure.
            return status == platform::winerror::kFileNotFound ? platform::winerror::kSuccess
                                                               : status;
        }
    }
    return platform::winerror::kSuccess;
}

void importKey(const RegFileKey& entry) {
    RegKeyHandle key;
    platform::LSTATUS status = key.create(entry.key.root, ansiPath(entry.key));
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(entry.key.fullName(), status);
    }
    for (const auto& value : entry.values) {
        status = writeValue(key, value);
        if (status != platform::winerror::kSuccess) {
            throw registryFailure(entry.key.fullName() + " (" + valueLabel(value.name) + ")",
                                  status);
        }
    }
}

}  // namespace

void runImport(const RegCommand& command, RegConsole& console) {
    const std::vector<RegFileKey> keys =
        parseRegFile(decodeRegFile(readFile(command.file)), command.file);
    checkCodePage(keys, command.file);
    for (const auto& key : keys) {
        importKey(key);
    }
    reportSuccess(console);
}

}  // namespace regtool
