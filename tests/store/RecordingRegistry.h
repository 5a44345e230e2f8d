#pragma once
// A decorator around the real registry that notes every call that changes something (and,
// separately, every value read) as text such as "set HKCU\Software\Orvane\Quillbell\ConfNumber",
// so that a test can see the order in which the notifier would see the writes.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace storetest {

struct RegistryLog {
    std::vector<std::string> writes;  // "create <key>", "set <key>\<name>", "delete <key>\<name>"
    std::vector<std::string> reads;   // "<key>\<name>", once per value read
};

class RecordingRegistry final : public platform::Registry {
public:
    RecordingRegistry(std::unique_ptr<platform::Registry> inner, std::shared_ptr<RegistryLog> log);

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
    std::string pathOf(platform::HKEY key) const;
    std::string fullPath(platform::HKEY root, const std::string& path) const;

    std::unique_ptr<platform::Registry> inner_;
    std::shared_ptr<RegistryLog> log_;
    std::map<platform::HKEY, std::string> openKeys_;
};

}  // namespace storetest
