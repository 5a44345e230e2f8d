#include "platform/sqlite/AccessMask.h"

#include "platform/Registry.h"

namespace platform::sqlitestore {

namespace {
constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kGenericExecute = 0x20000000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;
constexpr std::uint32_t kKeyWrite = 0x20006;
constexpr std::uint32_t kSpecificAndStandard = 0x00FF003F;
}  // namespace

std::uint32_t grantedRights(std::uint32_t requested, bool hiveWritable) {
    std::uint32_t rights = requested & kSpecificAndStandard;
    if (requested & (kGenericRead | kGenericExecute)) {
        rights |= kKeyRead;
    }
    if (requested & kGenericWrite) {
        rights |= kKeyWrite;
    }
    if (requested & kGenericAll) {
        rights |= kKeyAllAccess;
    }
    if (requested & kMaximumAllowed) {
        rights |= hiveWritable ? kKeyAllAccess : kKeyRead;
    }
    return rights;
}

}  // namespace platform::sqlitestore
