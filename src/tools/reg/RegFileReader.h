#pragma once
// Reads the text of a .reg file ("Windows Registry Editor Version 5.00") into keys and
// values without touching the registry, so that a broken file is refused as a whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/reg/RegKeyName.h"

namespace regtool {

struct RegFileValue {
    enum class Kind { Text, Dword, Raw, Delete };

    int line = 0;
    std::string name;  // UTF-8; "" for the default value (@)
    Kind kind = Kind::Text;
    std::string text;                 // Text: UTF-8, without terminator
    std::uint32_t dword = 0;          // Dword
    std::uint32_t type = 0;           // Raw: the type of hex: (3) or hex(N):
    std::vector<std::uint8_t> bytes;  // Raw: the exact bytes
};

struct RegFileKey {
    int line = 0;
    RegKeyName key;
    std::vector<RegFileValue> values;
};

// Parses UTF-8 text into `keys`. Throws RegToolError naming `source` and the first bad
// line for anything it does not understand, including key deletions ([-...]), which the
// tool does not do, names beyond the registry's limits or with a NUL, and text the ANSI
// code page cannot hold; `keys` then holds the keys before that line.
void parseRegFile(std::string_view text, const std::string& source, std::vector<RegFileKey>& keys);

}  // namespace regtool
