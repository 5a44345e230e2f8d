#include "platform/sqlite/HiveFiles.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace platform {

namespace {

const std::filesystem::path kProductDir = std::filesystem::path("Orvane") / "Quillbell";
constexpr const char* kUserFileName = "user-registry.sqlite3";
constexpr const char* kMachineFileName = "machine-registry.sqlite3";

// The XDG rules ignore unset, empty and relative settings.
bool usable(const char* value) {
    return value != nullptr && value[0] == '/';
}

std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); usable(home)) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && usable(entry->pw_dir)) {
        return entry->pw_dir;
    }
    return "/";
}

std::filesystem::path userConfigDirectory() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); usable(config)) {
        return config;
    }
    return homeDirectory() / ".config";
}

std::filesystem::path machineConfigDirectory() {
    if (const char* dirs = std::getenv("XDG_CONFIG_DIRS"); dirs != nullptr) {
        std::string_view rest(dirs);
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            const std::string first(rest.substr(0, colon));
            if (usable(first.c_str())) {
                return first;
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    return "/etc/xdg";
}

}  // namespace

HiveFiles defaultHiveFiles() {
    HiveFiles files;
    files.userFile = userConfigDirectory() / kProductDir / kUserFileName;
    files.machineFile = machineConfigDirectory() / kProductDir / kMachineFileName;
    return files;
}

}  // namespace platform
