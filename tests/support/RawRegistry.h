#pragma once
// Small conveniences over platform::registry() for tests that need to see or plant
// exact bytes, types and byte counts behind the registry access layer.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace testsupport {

struct RawValue {
    std::uint32_t type = 0;
    std::string bytes;  // exactly the stored bytes, byte count = bytes.size()
};

// Creates the key (and its parents) under the root; asserts success.
void createKey(platform::HKEY root, const std::string& path);
// Stores `count` bytes of `bytes` (all of them by default) with the given type; `bytes` may
// be longer than `count`, so that a caller can control what follows the counted bytes.
platform::LSTATUS setRaw(platform::HKEY root, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::string& bytes,
                         std::optional<std::uint32_t> count = std::nullopt);
// The stored value, or nothing when the key or value is missing.
std::optional<RawValue> getRaw(platform::HKEY root, const std::string& path,
                               const std::string& name);
bool keyExists(platform::HKEY root, const std::string& path);

// The four bytes of a REG_DWORD, least significant first.
inline std::string dwordBytes(std::uint32_t n) {
    return {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
}
// Every byte value from `first` to 255, in order.
inline std::string bytesFrom(int first) {
    std::string bytes;
    for (int byte = first; byte < 256; ++byte) {
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

}  // namespace testsupport
