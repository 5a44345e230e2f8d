#include "tools/reg/RegLimits.h"

#include <algorithm>
#include <string>

#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

// The registry counts UTF-16 units; every character an ANSI code page holds is one.
std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

// The names would be cut at the NUL on their way to the registry and name another key
// or value than the one asked for.
void checkName(std::string_view name, std::size_t limit, const char* what) {
    if (name.find('\0') != std::string_view::npos) {
        throw RegToolError(std::string(what) + " holds a NUL character");
    }
    if (const std::size_t length = characters(name); length > limit) {
        throw RegToolError(std::string(what) + " is " + std::to_string(length) +
                           " characters long; the registry allows at most " +
                           std::to_string(limit));
    }
}

}  // namespace

std::size_t keyDepth(std::string_view path) {
    return path.empty() ? 0
                        : static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) + 1;
}

void checkKeyPath(std::string_view path) {
    if (const std::size_t depth = keyDepth(path); depth > kMaxKeyDepth) {
        throw RegToolError("The key is " + std::to_string(depth) +
                           " levels deep; the registry allows at most " +
                           std::to_string(kMaxKeyDepth));
    }
    while (!path.empty()) {
        const std::size_t separator = path.find('\\');
        checkName(path.substr(0, separator), kMaxKeyNameLength, "A key name");
        path =
            separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
    }
}

void checkValueName(std::string_view name) {
    checkName(name, kMaxValueNameLength, "The value name");
}

}  // namespace regtool
