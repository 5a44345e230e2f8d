#pragma once
// The five operations of quillbell-reg. Each throws RegToolError when it fails, before
// it writes anything wherever the failure can be foreseen (bad data, missing key).

#include <filesystem>
#include <string>

#include "tools/reg/RegCommand.h"
#include "tools/reg/RegConsole.h"
#include "tools/reg/RegKeyHandle.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

void runQuery(const RegCommand& command, RegConsole& console);
void runAdd(const RegCommand& command, RegConsole& console);
void runDelete(const RegCommand& command, RegConsole& console);
void runExport(const RegCommand& command, RegConsole& console);
void runImport(const RegCommand& command, RegConsole& console);

// Helpers the operations share.
// The ANSI form of the key's path; throws when the code page cannot hold it.
std::string ansiPath(const RegKeyName& key);
// Opens an existing key; throws "not found" for a missing key, the error text otherwise.
void openExistingKey(const RegKeyName& key, std::uint32_t access, RegKeyHandle& handle);
// How messages and `query` name a value: "(Default)" for the unnamed one.
std::string valueLabel(const std::string& utf8Name);
RegToolError valueNotFound(const RegKeyName& key, const std::string& utf8Name);
void reportSuccess(RegConsole& console);
// A file name given as UTF-8, whatever the platform's own file name encoding.
std::filesystem::path filePath(const std::string& utf8);

}  // namespace regtool
