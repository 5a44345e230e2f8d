#include "platform/qt/QtFileFilter.h"

#include <vector>

namespace platform {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string qtPatterns(std::string_view patternList) {
    std::string joined;
    for (const std::string_view part : split(patternList, ';')) {
        std::string_view pattern = trimmed(part);
        if (pattern.empty()) {
            continue;
        }
        if (pattern == "*.*") {
            pattern = "*";  // Qt matches "*.*" only to names with a dot
        }
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += pattern;
    }
    return joined;
}

}  // namespace

std::string toQtFileFilter(std::string_view dialogFilter) {
    const std::vector<std::string_view> parts = split(dialogFilter, '|');
    std::string filter;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string patterns = qtPatterns(parts[i + 1]);
        if (patterns.empty()) {
            continue;
        }
        if (!filter.empty()) {
            filter += ";;";
        }
        const std::string_view description = trimmed(parts[i]);
        if (!description.empty()) {
            filter.append(description);
            filter += ' ';
        }
        filter += '(' + patterns + ')';
    }
    return filter;
}

}  // namespace platform
