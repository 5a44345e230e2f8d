#include <windows.h>

#include "platform/Registry.h"
#include "support/TestRegistry.h"

namespace testsupport {

namespace {
void deleteProgramKeys() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Orvane");
}
}  // namespace

ScopedTestRegistry::ScopedTestRegistry() {
    deleteProgramKeys();
    platform::installRegistry(platform::createPlatformRegistry());
}

ScopedTestRegistry::~ScopedTestRegistry() {
    platform::installRegistry(nullptr);
    deleteProgramKeys();
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
}

}  // namespace testsupport
