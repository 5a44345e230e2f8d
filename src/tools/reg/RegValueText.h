#pragma once
// How stored values look as text: type names, the data column of `query`, and the
// test whether a string value can be written as quoted text and read back unchanged.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/reg/RegKeyHandle.h"

namespace regtool {

// "REG_SZ", "REG_DWORD", ...; "REG_UNKNOWN" for a type number without a name.
std::string typeName(std::uint32_t type);

// The data as `query` shows it (UTF-8): REG_SZ up to its first NUL, a four-byte
// REG_DWORD as 0x followed by lower-case hex digits, anything else as upper-case hex bytes.
std::string queryDataText(const RawValue& value);

// The UTF-8 text of a REG_SZ value when writing it as "text" and reading it back gives
// exactly the stored bytes: one terminating NUL and no other, no control characters
// (line breaks included), bytes that survive the code page both ways. Else nothing.
std::optional<std::string> plainText(const std::vector<std::uint8_t>& bytes);

// REG_DWORD data as typed on the command line: decimal (a negative number is stored as
// its 32-bit two's complement) or 0x followed by hex digits. Throws RegToolError.
std::uint32_t parseDword(std::string_view text);

}  // namespace regtool
