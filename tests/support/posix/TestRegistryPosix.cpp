#include <cstdlib>

#include "platform/Registry.h"
#include "support/TestRegistry.h"

namespace testsupport {

ScopedTestRegistry::ScopedTestRegistry() {
    const auto home = scratch_ / "home";
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (scratch_ / "xdg").c_str(), 1);
    platform::installRegistry(platform::createPlatformRegistry());
}

ScopedTestRegistry::~ScopedTestRegistry() {
    platform::installRegistry(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
}

}  // namespace testsupport
