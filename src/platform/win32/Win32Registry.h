#pragma once
// The registry interface over the real advapi32 ANSI functions. Results, byte counts
// and handles pass through unchanged; only the predefined roots are translated.

#include "platform/Registry.h"

namespace platform {

class Win32Registry final : public Registry {
public:
    LSTATUS CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access, HKEY* result,
                        std::uint32_t* disposition) override;
    LSTATUS OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                      HKEY* result) override;
    LSTATUS SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t count) override;
    LSTATUS QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* count) override;
    LSTATUS DeleteValue(HKEY key, const std::string& name) override;
    LSTATUS DeleteKey(HKEY key, const std::string& subKey) override;
    LSTATUS CloseKey(HKEY key) override;
    LSTATUS QueryInfoKey(HKEY key, KeyInfo* info) override;
    LSTATUS EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen, char* cls,
                      std::uint32_t* classLen) override;
    LSTATUS EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) override;
};

}  // namespace platform
