#pragma once
// Exact bytes, types and byte counts behind the registry access layer.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace testsupport {

struct RawValue {
    std::uint32_t type = 0;
    std::string bytes;  // exactly the stored bytes, byte count = bytes.size()
};

void createKey(platform::HKEY root, const std::string& path);
// `bytes` may be longer than `count`, so that a caller controls what follows the counted ones.
platform::LSTATUS setRaw(platform::HKEY root, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::string& bytes,
                         std::optional<std::uint32_t> count = std::nullopt);
// The stored value, or nothing when the key or value is missing.
std::optional<RawValue> getRaw(platform::HKEY root, const std::string& path,
                               const std::string& name);
bool keyExists(platform::HKEY root, const std::string& path);

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
