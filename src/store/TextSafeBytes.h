#pragma once
// Enciphered bytes are arbitrary, but the registry keeps a string value only as text of the
// ANSI code page (Windows converts it to Unicode and back). On a single-byte code page every
// byte is a character of its own and the bytes are stored as they are. On a double-byte
// code page (932, 936, 949, 950) a lead byte joins the byte after it and an undefined byte
// is replaced; there each byte that is no character on its own, and the escape byte 0x7F
// itself, is stored as 0x7F and two upper-case hexadecimal digits ("\x7F" "8A").

#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace store {

// `bytes` in a form that survives the code page as text.
std::string toTextSafe(std::string_view bytes, const platform::CodePage& page);
// The bytes again. An escape byte not followed by two hexadecimal digits (a value written
// by hand) stands for itself.
std::string fromTextSafe(std::string_view stored, const platform::CodePage& page);

}  // namespace store
