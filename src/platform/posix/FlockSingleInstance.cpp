#include "platform/posix/FlockSingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

std::filesystem::path absoluteDirFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') {
        return {};
    }
    std::filesystem::path dir(value);
    return dir.is_absolute() ? dir : std::filesystem::path();
}

std::filesystem::path userConfigDir() {
    auto dir = absoluteDirFromEnvironment("XDG_CONFIG_HOME");
    if (dir.empty()) {
        dir = absoluteDirFromEnvironment("HOME");
        if (!dir.empty()) {
            dir /= ".config";
        }
    }
    return dir;
}

// A name with a slash would reach into another directory.
std::string fileNameOf(const std::string& name) {
    std::string file = name.empty() ? std::string(kInstanceName) : name;
    for (char& c : file) {
        if (c == '/') {
            c = '_';
        }
    }
    return file + ".lock";
}

}  // namespace

std::filesystem::path FlockSingleInstance::lockFileFor(const std::string& name) {
    auto dir = absoluteDirFromEnvironment("XDG_RUNTIME_DIR");
    if (dir.empty()) {
        dir = userConfigDir();
    }
    if (dir.empty()) {
        dir = std::filesystem::temp_directory_path();
    }
    return dir / fileNameOf(name);
}

FlockSingleInstance::FlockSingleInstance(const std::filesystem::path& lockFile) {
    std::error_code ignored;
    std::filesystem::create_directories(lockFile.parent_path(), ignored);
    // Close-on-exec: a program started from here (the help viewer) must not inherit the
    // claim and keep it after this process has ended.
    descriptor_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor_ < 0) {
        return;  // cannot be checked: run rather than lock the user out
    }
    int result;
    do {
        result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        first_ = errno != EWOULDBLOCK;
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

FlockSingleInstance::~FlockSingleInstance() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

std::unique_ptr<SingleInstance> claimSingleInstance(const std::string& name) {
    return std::make_unique<FlockSingleInstance>(FlockSingleInstance::lockFileFor(name));
}

}  // namespace platform
