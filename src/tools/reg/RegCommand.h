#pragma once
// The command line of quillbell-reg, in the manner of reg.exe:
//   query KEY [/v NAME | /ve]
//   add KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD] [/d DATA] [/f]
//   delete KEY /v NAME | /ve [/f]
//   export KEY FILE [/y]
//   import FILE
// Operations and options are case-blind; options may start with / or -.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/reg/RegKeyName.h"

namespace regtool {

enum class RegOperation { Help, Query, Add, Delete, Export, Import };

struct RegCommand {
    RegOperation operation = RegOperation::Help;
    RegKeyName key;
    std::optional<std::string> valueName;  // "" for the default value (/ve)
    std::uint32_t type = 1;                // REG_SZ unless /t says REG_DWORD
    std::string data;
    bool force = false;  // /f for add and delete, /y for export: no question asked
    std::string file;
};

// Throws RegToolError for anything reg.exe would call invalid syntax.
RegCommand parseCommand(const std::vector<std::string>& args);

}  // namespace regtool
