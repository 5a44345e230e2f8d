#pragma once
// Cuts the bytes of a language file into lines, fed piece by piece.

#include <cstddef>
#include <string>
#include <string_view>
#include "lang/LanguageFileLines.h"
#include "platform/CodePage.h"

namespace modReadLang {

class LineSplitter {
public:
    // Lines are converted by `codePage`; a line beyond `maxLines` throws the overflow error.
    LineSplitter(const platform::CodePage& codePage, std::size_t maxLines);

    // The next bytes of the file. A CR LF pair may be split between two calls.
    void feed(std::string_view bytes);
    // The lines read, including a last line without a line end.
    LanguageFileLines finish();

private:
    void endLine();

    const platform::CodePage& codePage_;
    std::size_t maxLines_;
    LanguageFileLines lines_;
    std::string current_;
    bool lineStarted_ = false;  // bytes of a line not yet ended have been seen
    bool afterCr_ = false;      // the last byte seen was the CR that ended a line
};

}  // namespace modReadLang
