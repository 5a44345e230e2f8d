#pragma once
// The global values that the opening and closing of the main window and every save read
// and write: per user ExternLang, RunAtStartup and Configured; machine-wide HomeDir,
// WorkMode0 to WorkMode3 and Version. ConfNumber and LastID belong to the list
// (ProfileList.h). Every value is written as text, and only into keys that exist.

#include <cstdint>
#include <string>

#include "registry/RegValue.h"

namespace store {

// What ExternLang stores for the entry chosen in the language list: "" for the entry that
// means "no language file", recognised without regard to letter case (a language file
// whose base name is that word in any case also means English), else the entry's text.
std::string externLangValue(const std::string& choice, const std::string& noLanguageText);
void writeExternLang(const std::string& choice, const std::string& noLanguageText);
std::string readExternLang();

// Creates "Software\Orvane", "...\Quillbell" and "...\Quillbell\Profiles" in the per-user
// hive, top down, where missing. Existing keys keep their values.
void createUserKeys();

// The check box state of "Run Quillbell at startup": 1 checked, 0 unchecked.
std::int16_t readRunAtStartup();
// The stored value itself, and the state it stands for.
modRegistryAccess::RegValue readRunAtStartupValue();
std::int16_t readRunAtStartup(const modRegistryAccess::RegValue& stored);
// Writes the state, or `kept` as it is where it is not Empty (the value as read, while
// the check box still shows it).
void writeRunAtStartup(std::int16_t state, const modRegistryAccess::RegValue& kept = {});

// Whether the window was once closed with no configuration.
bool readConfigured();
void writeConfigured(bool configured);

// The installation's directory, expected to end with a backslash.
std::string readHomeDir();
// The display name of server type 0 to 3; "" when missing.
std::string readWorkMode(int serverType);
// Writes "1.0"; lost without a word when the user may not write the machine-wide key.
void writeVersion();

}  // namespace store
