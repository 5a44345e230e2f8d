#pragma once
// Strict UTF-8 decoding and encoding for the text helpers of this layer. Invalid
// sequences are reported byte by byte so that callers can keep or replace each byte.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::utf8 {

struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 1;  // bytes consumed; 1 for an invalid byte
    bool valid = false;
};

// Decodes the character that starts at `pos` (which must be inside `text`). Overlong
// forms, surrogates, values past U+10FFFF and truncated sequences are invalid.
Decoded decodeAt(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a code point (which must be a valid scalar value).
void append(std::string& out, char32_t codePoint);

}  // namespace platform::utf8
