#include "tools/reg/RegToolError.h"

#include "registry/RegistryErrorText.h"

namespace regtool {

RegToolError registryFailure(std::string_view what, platform::LSTATUS code) {
    return RegToolError(std::string(what) + ": " + RegistryErrorText(code));
}

}  // namespace regtool
