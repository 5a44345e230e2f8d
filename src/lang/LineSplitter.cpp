#include "lang/LineSplitter.h"

#include "lang/LangError.h"

namespace modReadLang {

LineSplitter::LineSplitter(const platform::CodePage& codePage, std::size_t maxLines)
    : codePage_(codePage), maxLines_(maxLines) {}

void LineSplitter::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        if (afterCr_) {
            afterCr_ = false;
            if (bytes.front() == '\n') {
                bytes.remove_prefix(1);  // the LF of a CR LF pair
                continue;
            }
        }
        // A lone LF is an ordinary character of the line: only CR ends one.
        const auto cr = bytes.find('\r');
        const auto part = bytes.substr(0, cr);
        current_.append(part);
        lineStarted_ = lineStarted_ || !part.empty();
        if (cr == std::string_view::npos) {
            return;
        }
        endLine();
        afterCr_ = true;
        bytes.remove_prefix(cr + 1);
    }
}

LanguageFileLines LineSplitter::finish() {
    if (lineStarted_) {
        endLine();
    }
    return std::move(lines_);
}

void LineSplitter::endLine() {
    if (lines_.size() >= maxLines_) {
        throw LangError::overflow();
    }
    // Line ends are the same bytes in every ANSI code page, so converting line by line
    // gives the same text as converting the whole file.
    lines_.append(codePage_.fromAnsi(current_));
    current_.clear();
    lineStarted_ = false;
}

}  // namespace modReadLang
