#pragma once
// The language file reader. A language file has one assignment per line:
//     ConfigWin_Ok = "OK"   ' a remark after the closing quote is ignored
// Lines without "=" and lines with an apostrophe before the first "=" are ignored.
// The file is read into the interface table, which lives for the whole run and answers
// look-ups by key. Every routine here catches its own failures, shows a stop box naming
// itself and returns its failure value; nothing is thrown to the caller.

#include <string>
#include <string_view>
#include <vector>

namespace modReadLang {

// One assignment of the file: the key without blanks and CRs, and the text between the
// first two double quotes of the value.
struct InterfaceVar {
    std::string Name;
    std::string Value;

    bool operator==(const InterfaceVar&) const = default;
};

// Replaces the interface table with the assignments of the file at `path` (UTF-8 name),
// in file order, duplicates included. False after a reported failure (the file cannot be
// read, or has 32,768 lines or more); the table is then empty.
bool ReadInterface(const std::string& path);

// The value of the last entry whose name equals `key` without regard to letter case;
// empty when there is none.
std::string strGetIntVarVal(std::string_view key);

// `text` with every blank and carriage return removed.
std::string strClearSpace(std::string_view text);

// The text between the first and the second double quote of `text`. Fewer than two
// double quotes is reported as error 5 and gives an empty text.
std::string strClearString(std::string_view text);

// A copy of the interface table, in file order.
std::vector<InterfaceVar> InterfaceVars();

}  // namespace modReadLang
