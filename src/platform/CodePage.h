#pragma once
// The system's ANSI code page: the byte form of text at the registry boundary, in
// stored passwords and in language files. Program text is UTF-8 everywhere else.

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    // Windows code page number (1252, 1251 ...).
    virtual int number() const = 0;
    // UTF-8 to ANSI bytes. A character the code page cannot represent becomes its
    // substitute character ('?'). One byte per character in single-byte code pages.
    virtual std::string toAnsi(std::string_view utf8) const = 0;
    // ANSI bytes to UTF-8. Every byte value maps to a character, so that
    // toAnsi(fromAnsi(bytes)) == bytes for arbitrary bytes (enciphered passwords).
    virtual std::string fromAnsi(std::string_view ansi) const = 0;
};

// The code page in force for this process.
const CodePage& ansiCodePage();
// Replaces it (tests switch between code pages).
void installCodePage(std::unique_ptr<CodePage> replacement);
// A single-byte Windows code page by number; null when the platform does not know it.
std::unique_ptr<CodePage> createCodePage(int number);
// The code page the platform picks for this process.
std::unique_ptr<CodePage> createSystemCodePage();

}  // namespace platform
