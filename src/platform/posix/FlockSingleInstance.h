#pragma once
// The single-instance claim on Linux: an exclusive flock on a lock file of the user's, held
// through an open descriptor for the process's life. The kernel drops it when the process
// ends, however it ends, so a crash leaves no stale claim behind.

#include <filesystem>
#include <string>

#include "platform/SingleInstance.h"

namespace platform {

class FlockSingleInstance final : public SingleInstance {
public:
    explicit FlockSingleInstance(const std::filesystem::path& lockFile);
    ~FlockSingleInstance() override;
    FlockSingleInstance(const FlockSingleInstance&) = delete;
    FlockSingleInstance& operator=(const FlockSingleInstance&) = delete;

    bool isFirst() const override { return first_; }

    // The lock file of `name`: in $XDG_RUNTIME_DIR (private to the user, emptied at
    // logout) when it is set, else in the user's configuration directory
    // ($XDG_CONFIG_HOME, or ~/.config).
    static std::filesystem::path lockFileFor(const std::string& name);

private:
    int descriptor_ = -1;
    bool first_ = true;
};

}  // namespace platform
