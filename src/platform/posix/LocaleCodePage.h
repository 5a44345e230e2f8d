#pragma once
// The ANSI code page that a Windows system would use for the user's locale, picked
// from the POSIX locale the way Wine picks it.

#include <string>
#include <string_view>

namespace platform {

// The Windows single-byte code page for a POSIX locale name such as "ru_RU.UTF-8",
// "sr_RS@latin" or "C". Unknown languages, C and POSIX give 1252.
int codePageForLocale(std::string_view localeName);

// The locale that governs character handling: LC_ALL, else LC_CTYPE, else LANG, each
// only when set and not empty; "C" when none is.
std::string characterLocaleName();

}  // namespace platform
