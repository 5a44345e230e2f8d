#include "app/LanguageFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/FileSystem.h"
#include "platform/TextCase.h"

namespace LanguageFiles {

namespace {

namespace fs = std::filesystem;

// The directory to look in and the beginning every matching name has: what follows the
// last separator of the home prefix (nothing when it ends with one, as it should).
struct Pattern {
    fs::path directory;
    std::string namePrefix;
};

Pattern splitHome(const std::string& homeDir) {
    const auto cut = homeDir.find_last_of("/\\");
    if (cut == std::string::npos) {
        return {fs::path("."), homeDir};
    }
    const std::string directory = homeDir.substr(0, cut + 1);
    return {platform::pathFromUtf8(directory), homeDir.substr(cut + 1)};
}

std::string utf8Name(const fs::path& path) {
    const auto name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           platform::equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           platform::equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

std::vector<fs::path> directoryEntries(const fs::path& directory) {
    std::vector<fs::path> entries;
    std::error_code error;
    fs::directory_iterator it(directory, error);
    // An unreadable or missing directory simply holds no language.
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        entries.push_back(it->path());
    }
    return entries;
}

}  // namespace

std::vector<std::string> list(const std::string& homeDir) {
    const Pattern pattern = splitHome(homeDir);
    std::vector<std::string> names;
    for (const fs::path& entry : directoryEntries(pattern.directory)) {
        const std::string name = utf8Name(entry);
        if (startsWithIgnoringCase(name, pattern.namePrefix) &&
            endsWithIgnoringCase(name.substr(pattern.namePrefix.size()), ".lng") &&
            platform::isNormalFile(entry)) {
            names.push_back(name);
        }
    }
    return names;
}

std::optional<std::string> find(const std::string& homeDir, const std::string& name) {
    const std::string wanted = homeDir + name + kExtension;
    if (platform::isNormalFile(platform::pathFromUtf8(wanted))) {
        return wanted;
    }
    const Pattern pattern = splitHome(homeDir);
    const std::string wantedName = pattern.namePrefix + name + kExtension;
    for (const fs::path& entry : directoryEntries(pattern.directory)) {
        if (platform::equalsIgnoreCase(utf8Name(entry), wantedName) &&
            platform::isNormalFile(entry)) {
            const std::string found = utf8Name(entry);
            return homeDir.substr(0, homeDir.size() - pattern.namePrefix.size()) + found;
        }
    }
    return std::nullopt;
}

}  // namespace LanguageFiles
