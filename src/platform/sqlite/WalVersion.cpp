#include "platform/sqlite/WalVersion.h"

#include <cstring>

namespace platform::sqlitestore {

namespace {

// Header fields, 32-bit numbers in the byte order of the machine that wrote them.
constexpr std::size_t kChangeCounter = 8;
constexpr std::size_t kFrameCount = 16;

std::uint32_t fieldAt(const WalVersion& header, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, header.data() + offset, sizeof value);
    return value;
}

}  // namespace

bool isNextCommit(const WalVersion& before, const WalVersion& after, std::uint32_t walFrames) {
    return fieldAt(after, kChangeCounter) == fieldAt(before, kChangeCounter) + 1 &&
           fieldAt(after, kFrameCount) == walFrames;
}

}  // namespace platform::sqlitestore
