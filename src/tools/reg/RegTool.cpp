#include "tools/reg/RegTool.h"

#include <exception>

#include "tools/reg/RegCommand.h"
#include "tools/reg/RegConsole.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

void dispatch(const RegCommand& command, RegConsole& console) {
    switch (command.operation) {
        case RegOperation::Help:
            console.out << usageText();
            break;
        case RegOperation::Query:
            runQuery(command, console);
            break;
        case RegOperation::Add:
            runAdd(command, console);
            break;
        case RegOperation::Delete:
            runDelete(command, console);
            break;
        case RegOperation::Export:
            runExport(command, console);
            break;
        case RegOperation::Import:
            runImport(command, console);
            break;
    }
}

}  // namespace

int runRegTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    RegConsole console{in, out, err};
    try {
        dispatch(parseCommand(args), console);
        out.flush();
        return 0;
    } catch (const std::exception& error) {
        out.flush();
        err << "ERROR: " << error.what() << '\n';
        return 1;
    }
}

std::string usageText() {
    return R"(Usage:
  quillbell-reg query KEY [/v NAME | /ve]
  quillbell-reg add KEY [/v NAME | /ve] [/t REG_SZ | REG_DWORD] [/d DATA] [/f]
  quillbell-reg delete KEY /v NAME | /ve [/f]
  quillbell-reg export KEY FILE [/y]
  quillbell-reg import FILE

  KEY    HKCU\path or HKLM\path (also HKEY_CURRENT_USER\..., HKEY_LOCAL_MACHINE\...)
  /v     the value's name; /ve the default (unnamed) value
  /t     the type of the value to add: REG_SZ (the default) or REG_DWORD
  /d     the data to add; for REG_DWORD a decimal number (negative ones too)
         or 0x and hex digits; without /d an empty text or 0
  /f     add over an existing value, or delete, without asking
  /y     overwrite an existing FILE without asking
  FILE   a .reg file, "Windows Registry Editor Version 5.00"; export writes
         UTF-8, import reads UTF-8 and UTF-16LE
)";
}

}  // namespace regtool
