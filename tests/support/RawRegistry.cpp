#include "support/RawRegistry.h"

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

using platform::registry;

void createKey(platform::HKEY root, const std::string& path) {
    platform::HKEY key = 0;
    ASSERT_EQ(registry().CreateKeyEx(root, path, platform::kKeyWriteAccess, &key, nullptr), 0)
        << path;
    registry().CloseKey(key);
}

platform::LSTATUS setRaw(platform::HKEY root, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::string& bytes,
                         std::optional<std::uint32_t> count) {
    platform::HKEY key = 0;
    platform::LSTATUS status = registry().OpenKeyEx(root, path, platform::kKeyWriteAccess, &key);
    if (status == 0) {
        status = registry().SetValueEx(key, name, type,
                                       reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       count.value_or(static_cast<std::uint32_t>(bytes.size())));
        registry().CloseKey(key);
    }
    return status;
}

std::optional<RawValue> getRaw(platform::HKEY root, const std::string& path,
                               const std::string& name) {
    platform::HKEY key = 0;
    if (registry().OpenKeyEx(root, path, platform::kKeyRead, &key) != 0) {
        return std::nullopt;
    }
    RawValue value;
    std::uint32_t size = 0;
    platform::LSTATUS status = registry().QueryValueEx(key, name, &value.type, nullptr, &size);
    if (status == 0 && size > 0) {
        std::vector<std::uint8_t> buffer(size);
        status = registry().QueryValueEx(key, name, &value.type, buffer.data(), &size);
        value.bytes.assign(buffer.begin(), buffer.begin() + size);
    }
    registry().CloseKey(key);
    return status == 0 ? std::optional(value) : std::nullopt;
}

bool keyExists(platform::HKEY root, const std::string& path) {
    platform::HKEY key = 0;
    const bool exists = registry().OpenKeyEx(root, path, platform::kKeyRead, &key) == 0;
    registry().CloseKey(key);
    return exists;
}

}  // namespace testsupport
