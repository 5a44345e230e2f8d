#pragma once
// Sets (or, given nothing, clears) an environment variable for one scope.

#include <cstdlib>
#include <optional>
#include <string>

namespace platformtest {

struct ScopedEnv {
    ScopedEnv(const char* name, const std::optional<std::string>& value)
        : name(name),
          old(std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt) {
        set(value);
    }
    ~ScopedEnv() { set(old); }
    void set(const std::optional<std::string>& value) const {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    const char* name;
    std::optional<std::string> old;
};

}  // namespace platformtest
