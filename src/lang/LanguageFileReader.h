#pragma once
// Reads a language file into its lines of program text.

#include <cstddef>
#include <string>

#include "lang/LanguageFileLines.h"

namespace modReadLang {

// Line positions are 16-bit signed numbers: a file of more lines overflows.
inline constexpr std::size_t kMaxLanguageFileLines = 32767;

// Files are read in pieces of this size.
inline constexpr std::size_t kReadChunkSize = 16 * 1024;

// The lines of the file at `path` (UTF-8), each converted from the ANSI code page.
// A line ends at CR LF or at a CR alone; a lone LF belongs to the line; the last line
// needs no end. Throws LangError when the file cannot be read or has too many lines;
// the file is closed again in every case.
LanguageFileLines readLanguageFile(const std::string& path);

}  // namespace modReadLang
