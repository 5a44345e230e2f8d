#include "tools/reg/RegKeyName.h"

#include <array>

#include "platform/TextCase.h"
#include "tools/reg/RegLimits.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

struct RootSpelling {
    const char* shortName;
    const char* longName;
    platform::HKEY root;
};

constexpr std::array<RootSpelling, 2> kRoots{{
    {"HKCU", "HKEY_CURRENT_USER", platform::kHkeyCurrentUser},
    {"HKLM", "HKEY_LOCAL_MACHINE", platform::kHkeyLocalMachine},
}};

platform::HKEY findRoot(std::string_view name) {
    for (const auto& spelling : kRoots) {
        if (platform::equalsIgnoreCase(name, spelling.shortName) ||
            platform::equalsIgnoreCase(name, spelling.longName)) {
            return spelling.root;
        }
    }
    return platform::kNullKey;
}

}  // namespace

std::string RegKeyName::fullName() const {
    return path.empty() ? rootName(root) : rootName(root) + "\\" + path;
}

RegKeyName RegKeyName::child(const std::string& name) const {
    return RegKeyName{root, path.empty() ? name : path + "\\" + name};
}

std::string rootName(platform::HKEY root) {
    for (const auto& spelling : kRoots) {
        if (spelling.root == root) {
            return spelling.longName;
        }
    }
    return {};
}

RegKeyName parseKeyName(std::string_view text) {
    const std::size_t separator = text.find('\\');
    const std::string_view rootText = text.substr(0, separator);
    RegKeyName key{findRoot(rootText), {}};
    if (key.root == platform::kNullKey) {
        throw RegToolError("Unknown root key \"" + std::string(rootText) +
                           "\" (use HKCU or HKLM): " + std::string(text));
    }
    if (separator == std::string_view::npos) {
        return key;
    }
    std::string_view path = text.substr(separator + 1);
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    // An empty component would name a different key on each backend; refuse it.
    if (!path.empty() && (path.front() == '\\' || path.back() == '\\' ||
                          path.find("\\\\") != std::string_view::npos)) {
        throw RegToolError("Invalid key name: " + std::string(text));
    }
    checkKeyPath(path);
    key.path = std::string(path);
    return key;
}

}  // namespace regtool
