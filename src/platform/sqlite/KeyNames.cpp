#include "platform/sqlite/KeyNames.h"

#include "platform/CodePage.h"
#include "platform/TextCase.h"
#include "platform/sqlite/SqliteErrors.h"

namespace platform::sqlitestore {

std::string_view asCString(const std::string& text) {
    return std::string_view(text.c_str());
}

LSTATUS normalizeKeyPath(const std::string& raw, std::string& normalized) {
    std::string_view path = asCString(raw);
    normalized.clear();
    if (!path.empty() && path.front() == '\\') {
        return kBadPathname;
    }
    // Walked by hand rather than through splitPath: opening a key is the hot path.
    while (!path.empty()) {
        const auto separator = path.find('\\');
        const auto name = path.substr(0, separator);
        if (name.size() > kMaxKeyNameLength) {
            return winerror::kInvalidParameter;
        }
        if (!name.empty()) {
            if (!normalized.empty()) {
                normalized += '\\';
            }
            normalized += name;
        }
        path.remove_prefix(separator == std::string_view::npos ? path.size() : separator + 1);
    }
    return winerror::kSuccess;
}

std::string foldName(std::string_view ansi) {
    return upperCase(ansiCodePage().fromAnsi(ansi));
}

std::string joinPath(std::string_view parentPath, std::string_view child) {
    std::string path;
    path.reserve(parentPath.size() + 1 + child.size());
    path += parentPath;
    if (!parentPath.empty() && !child.empty()) {
        path += '\\';
    }
    path += child;
    return path;
}

std::vector<std::string_view> splitPath(std::string_view path) {
    std::vector<std::string_view> names;
    while (!path.empty()) {
        const auto separator = path.find('\\');
        const auto name = path.substr(0, separator);
        if (!name.empty()) {
            names.push_back(name);
        }
        if (separator == std::string_view::npos) {
            break;
        }
        path.remove_prefix(separator + 1);
    }
    return names;
}

}  // namespace platform::sqlitestore
