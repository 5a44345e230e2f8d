#include "lang/modReadLang.h"

#include <algorithm>
#include <string_view>

#include "lang/LangError.h"
#include "lang/LanguageFileReader.h"
#include "lang/PanicReport.h"
#include "platform/TextCase.h"

namespace modReadLang {

namespace {

struct TableEntry {
    InterfaceVar var;
    // Kept beside the name so that a look-up does not upper-case every entry again.
    std::string upperName;
};

std::vector<TableEntry>& table() {
    static std::vector<TableEntry> entries;
    return entries;
}

void parseLine(std::string_view line, std::vector<TableEntry>& entries) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const auto namePart = line.substr(0, equals);
    if (namePart.find('\'') != std::string_view::npos) {
        return;  // a comment; an apostrophe in the value does not count
    }
    TableEntry entry;
    entry.var.Name = strClearSpace(namePart);
    entry.var.Value = strClearString(line.substr(equals + 1));
    entry.upperName = platform::upperCase(entry.var.Name);
    entries.push_back(std::move(entry));
}

}  // namespace

bool ReadInterface(const std::string& path) {
    return runGuarded("ReadInterface", false, [&] {
        auto& entries = table();
        entries.clear();
        // Every line is read, and the file closed, before the first is parsed.
        const auto lines = readLanguageFile(path);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            parseLine(lines[i], entries);
        }
        return true;
    });
}

std::string strGetIntVarVal(std::string_view key) {
    return runGuarded("strGetIntVarVal", std::string(), [&] {
        const auto upperKey = platform::upperCase(key);
        const auto& entries = table();
        // From the end: the first match found is the last one of the file, which wins.
        const auto found =
            std::find_if(entries.rbegin(), entries.rend(),
                         [&](const TableEntry& entry) { return entry.upperName == upperKey; });
        return found == entries.rend() ? std::string() : found->var.Value;
    });
}

std::string strClearSpace(std::string_view text) {
    return runGuarded("strClearSpace", std::string(), [&] {
        std::string result(text);
        std::erase_if(result, [](char c) { return c == ' ' || c == '\r'; });
        return result;
    });
}

std::string strClearString(std::string_view text) {
    return runGuarded("strClearString", std::string(), [&] {
        std::string_view rest = text;
        const auto open = rest.find('"');
        if (open != std::string_view::npos) {
            rest.remove_prefix(open + 1);
        }
        const auto close = rest.find('"');
        if (close == std::string_view::npos) {
            throw LangError::invalidArgument();
        }
        return std::string(rest.substr(0, close));
    });
}

std::vector<InterfaceVar> InterfaceVars() {
    std::vector<InterfaceVar> vars;
    vars.reserve(table().size());
    for (const auto& entry : table()) {
        vars.push_back(entry.var);
    }
    return vars;
}

}  // namespace modReadLang
