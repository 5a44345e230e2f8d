#pragma once
// Builds the text of a .reg file ("Windows Registry Editor Version 5.00"), in UTF-8
// with CR LF line ends, as regedit lays it out.

#include <string>

#include "tools/reg/RegKeyHandle.h"

namespace regtool {

class RegFileWriter {
public:
    RegFileWriter();

    // Starts the section of a key; `fullName` is UTF-8 ("HKEY_CURRENT_USER\...").
    void beginKey(const std::string& fullName);
    // One value of the current key. A REG_SZ that plainText() accepts becomes "text",
    // a four-byte REG_DWORD dword:, REG_BINARY hex:, everything else hex(type): with the
    // exact stored bytes. Throws RegToolError for a name that holds a line break.
    void addValue(const RawValue& value);

    const std::string& text() const { return text_; }

private:
    void addHex(std::string line, const std::vector<std::uint8_t>& bytes);

    std::string text_;
};

}  // namespace regtool
