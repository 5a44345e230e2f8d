#pragma once
// The lines of a language file as program text, kept in one buffer: a file of thousands
// of short lines then costs a handful of allocations instead of one per line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace modReadLang {

class LanguageFileLines {
public:
    void append(std::string_view line) {
        text_.append(line);
        ends_.push_back(text_.size());
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }

    std::string_view operator[](std::size_t index) const {
        const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(text_).substr(begin, ends_[index] - begin);
    }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

}  // namespace modReadLang
