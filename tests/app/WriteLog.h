#pragma once
// The real registry store with a log of every value written or deleted, so that a test
// can tell which values an action wrote, and in which order.

#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace apptest {

class WriteLog final : public platform::Registry {
public:
    explicit WriteLog(std::unique_ptr<platform::Registry> store) : store_(std::move(store)) {}

    // "set NAME" and "delete NAME" entries, oldest first.
    const std::vector<std::string>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

    platform::LSTATUS CreateKeyEx(platform::HKEY root, const std::string& path,
                                  std::uint32_t access, platform::HKEY* result,
                                  std::uint32_t* disposition) override;
    platform::LSTATUS OpenKeyEx(platform::HKEY root, const std::string& path, std::uint32_t access,
                                platform::HKEY* result) override;
    platform::LSTATUS SetValueEx(platform::HKEY key, const std::string& name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t count) override;
    platform::LSTATUS QueryValueEx(platform::HKEY key, const std::string& name, std::uint32_t* type,
                                   std::uint8_t* data, std::uint32_t* count) override;
    platform::LSTATUS DeleteValue(platform::HKEY key, const std::string& name) override;
    platform::LSTATUS CloseKey(platform::HKEY key) override;
    platform::LSTATUS QueryInfoKey(platform::HKEY key, platform::KeyInfo* info) override;
    platform::LSTATUS EnumKeyEx(platform::HKEY key, std::uint32_t index, char* name,
                                std::uint32_t* nameLen, char* cls,
                                std::uint32_t* classLen) override;
    platform::LSTATUS EnumValue(platform::HKEY key, std::uint32_t index, char* name,
                                std::uint32_t* nameLen, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* dataLen) override;

private:
    std::unique_ptr<platform::Registry> store_;
    std::vector<std::string> entries_;
};

}  // namespace apptest
