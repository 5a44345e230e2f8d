#pragma once
// The failures the tool reports: one line on the error stream and exit status 1.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace regtool {

class RegToolError : public std::runtime_error {
public:
    // `message` is the whole line without the "ERROR: " prefix.
    explicit RegToolError(const std::string& message) : std::runtime_error(message) {}
};

// A registry call on `what` (a key's full name) failed with `code`.
RegToolError registryFailure(std::string_view what, platform::LSTATUS code);

}  // namespace regtool
