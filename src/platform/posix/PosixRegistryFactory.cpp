#include "platform/Registry.h"
#include "platform/sqlite/HiveFiles.h"
#include "platform/sqlite/SqliteRegistry.h"

namespace platform {

std::unique_ptr<Registry> createPlatformRegistry() {
    return std::make_unique<SqliteRegistry>(defaultHiveFiles());
}

}  // namespace platform
