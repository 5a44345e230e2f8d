#include "tools/reg/RegCommand.h"

#include <array>
#include <set>
#include <string_view>

#include "platform/TextCase.h"
#include "tools/reg/RegLimits.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

struct OperationSpelling {
    const char* name;
    RegOperation operation;
    int positionals;      // KEY and FILE arguments
    const char* options;  // the option letters it takes, "v" standing for /v and /ve
};

constexpr std::array<OperationSpelling, 5> kOperations{{
    {"query", RegOperation::Query, 1, "v"},
    {"add", RegOperation::Add, 1, "vtdf"},
    {"delete", RegOperation::Delete, 1, "vf"},
    {"export", RegOperation::Export, 2, "y"},
    {"import", RegOperation::Import, 1, ""},
}};

bool isHelp(std::string_view arg) {
    return arg == "/?" || arg == "-?" || arg == "-h" || arg == "--help";
}

RegToolError syntaxError(const std::string& what) {
    return RegToolError("Invalid syntax: " + what + ". Type \"quillbell-reg /?\" for usage.");
}

// The option an argument names, "" when it is none of those the operation takes, so
// that a file path such as /tmp/x.reg stays an argument.
std::string optionOf(std::string_view arg, std::string_view allowed) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) {
        return {};
    }
    const std::string name = platform::upperCase(arg.substr(1));
    const bool known =
        name == "V" || name == "VE" || name == "T" || name == "D" || name == "F" || name == "Y";
    if (!known || allowed.find(static_cast<char>(name[0] + ('a' - 'A'))) == std::string::npos) {
        return {};
    }
    return name;
}

class CommandParser {
public:
    CommandParser(const OperationSpelling& spelling, RegCommand& command)
        : spelling_(spelling), command_(command) {}

    void parse(const std::vector<std::string>& args) {
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string option = optionOf(args[i], spelling_.options);
            if (option.empty()) {
                positionals_.push_back(args[i]);
                continue;
            }
            if (!seen_.insert(option).second) {
                throw syntaxError("/" + option + " given twice");
            }
            if (option == "VE") {
                setName("");
            } else if (option == "F" || option == "Y") {
                command_.force = true;
            } else if (i + 1 >= args.size()) {
                throw syntaxError("/" + option + " needs an argument");
            } else {
                takeArgument(option, args[++i]);
            }
        }
        finish();
    }

private:
    void setName(const std::string& name) {
        if (command_.valueName) {
            throw syntaxError("more than one value name");
        }
        checkValueName(name);
        command_.valueName = name;
    }

    void takeArgument(const std::string& option, const std::string& argument) {
        if (option == "V") {
            setName(argument);
        } else if (option == "D") {
            command_.data = argument;
        } else if (platform::equalsIgnoreCase(argument, "REG_SZ")) {
            command_.type = 1;
        } else if (platform::equalsIgnoreCase(argument, "REG_DWORD")) {
            command_.type = 4;
        } else {
            throw syntaxError("unsupported type " + argument + " (REG_SZ or REG_DWORD)");
        }
    }

    void finish() {
        const auto expected = static_cast<std::size_t>(spelling_.positionals);
        for (std::size_t i = expected; i < positionals_.size(); ++i) {
            const std::string& extra = positionals_[i];
            if (extra.size() <= 3 && (extra[0] == '/' || extra[0] == '-')) {
                throw syntaxError("option " + extra + " is not one of " + spelling_.name);
            }
        }
        if (positionals_.size() != expected) {
            throw syntaxError(std::string(spelling_.name) + " takes " +
                              (spelling_.positionals == 2 ? "a key and a file" : "one argument") +
                              ", " + std::to_string(positionals_.size()) + " given");
        }
        if (command_.operation == RegOperation::Import) {
            command_.file = positionals_[0];
            return;
        }
        command_.key = parseKeyName(positionals_[0]);
        if (command_.operation == RegOperation::Export) {
            command_.file = positionals_[1];
        }
        if (command_.operation == RegOperation::Delete && !command_.valueName) {
            throw syntaxError("delete needs /v NAME or /ve (keys are not deleted)");
        }
    }

    const OperationSpelling& spelling_;
    RegCommand& command_;
    std::vector<std::string> positionals_;
    std::set<std::string> seen_;
};

}  // namespace

RegCommand parseCommand(const std::vector<std::string>& args) {
    RegCommand command;
    if (args.size() == 1 && isHelp(args[0])) {
        return command;
    }
    if (args.empty()) {
        throw syntaxError("no operation given");
    }
    for (const auto& spelling : kOperations) {
        if (platform::equalsIgnoreCase(args[0], spelling.name)) {
            command.operation = spelling.operation;
            CommandParser(spelling, command).parse(args);
            return command;
        }
    }
    throw syntaxError("unknown operation " + args[0]);
}

}  // namespace regtool
