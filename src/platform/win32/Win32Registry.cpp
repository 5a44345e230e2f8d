#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <cstdint>

namespace platform {

namespace {

// The predefined roots are 32-bit values (HKEY_CLASSES_ROOT 0x80000000 up to
// HKEY_CURRENT_USER_LOCAL_SETTINGS 0x80000007) that Windows sign-extends into a
// pointer-sized handle on Win64; the interface spells them unextended.
constexpr HKEY kFirstRoot = 0x80000000;
constexpr HKEY kLastRoot = 0x80000007;

::HKEY toNative(HKEY key) {
    if (key >= kFirstRoot && key <= kLastRoot) {
        const auto extended = static_cast<std::intptr_t>(static_cast<std::int32_t>(key));
        return reinterpret_cast<::HKEY>(extended);
    }
    return reinterpret_cast<::HKEY>(key);
}

HKEY fromNative(::HKEY key) {
    const auto value = reinterpret_cast<std::intptr_t>(key);
    if (value >= static_cast<std::int32_t>(kFirstRoot) &&
        value <= static_cast<std::int32_t>(kLastRoot)) {
        return static_cast<HKEY>(static_cast<std::uint32_t>(value));
    }
    return static_cast<HKEY>(value);
}

// The interface counts in std::uint32_t, Windows in DWORD (unsigned long): in/out
// arguments go through a DWORD copy that starts with the caller's value and is
// written back after the call, so that whatever Windows leaves alone stays alone.
class InOut {
public:
    explicit InOut(std::uint32_t* target) : target_(target), value_(target ? *target : 0) {}
    ~InOut() {
        if (target_ != nullptr) {
            *target_ = static_cast<std::uint32_t>(value_);
        }
    }
    InOut(const InOut&) = delete;
    InOut& operator=(const InOut&) = delete;

    DWORD* get() { return target_ != nullptr ? &value_ : nullptr; }

private:
    std::uint32_t* target_;
    DWORD value_;
};

}  // namespace

LSTATUS Win32Registry::CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                                   HKEY* result, std::uint32_t* disposition) {
    ::HKEY native = nullptr;
    LSTATUS status;
    {
        InOut disp(disposition);
        status = RegCreateKeyExA(toNative(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 access, nullptr, &native, disp.get());
    }
    if (result != nullptr) {
        *result = status == ERROR_SUCCESS ? fromNative(native) : kNullKey;
    }
    return status;
}

LSTATUS Win32Registry::OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                                 HKEY* result) {
    ::HKEY native = nullptr;
    const LSTATUS status = RegOpenKeyExA(toNative(root), path.c_str(), 0, access, &native);
    if (result != nullptr) {
        *result = status == ERROR_SUCCESS ? fromNative(native) : kNullKey;
    }
    return status;
}

LSTATUS Win32Registry::SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t count) {
    return RegSetValueExA(toNative(key), name.c_str(), 0, type, data, count);
}

LSTATUS Win32Registry::QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* count) {
    InOut typeArg(type);
    InOut countArg(count);
    return RegQueryValueExA(toNative(key), name.c_str(), nullptr, typeArg.get(), data,
                            countArg.get());
}

LSTATUS Win32Registry::DeleteValue(HKEY key, const std::string& name) {
    return RegDeleteValueA(toNative(key), name.c_str());
}

LSTATUS Win32Registry::DeleteKey(HKEY key, const std::string& subKey) {
    return RegDeleteKeyA(toNative(key), subKey.c_str());
}

LSTATUS Win32Registry::CloseKey(HKEY key) {
    return RegCloseKey(toNative(key));
}

LSTATUS Win32Registry::QueryInfoKey(HKEY key, KeyInfo* info) {
    DWORD subKeys = 0, maxSubKeyLen = 0, maxClassLen = 0;
    DWORD values = 0, maxValueNameLen = 0, maxValueLen = 0;
    const LSTATUS status =
        RegQueryInfoKeyA(toNative(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen,
                         &maxClassLen, &values, &maxValueNameLen, &maxValueLen, nullptr, nullptr);
    if (info != nullptr && status == ERROR_SUCCESS) {
        *info = KeyInfo{subKeys, maxSubKeyLen, maxClassLen, values, maxValueNameLen, maxValueLen};
    }
    return status;
}

LSTATUS Win32Registry::EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                                 char* cls, std::uint32_t* classLen) {
    InOut nameArg(nameLen);
    InOut classArg(classLen);
    return RegEnumKeyExA(toNative(key), index, name, nameArg.get(), nullptr, cls, classArg.get(),
                         nullptr);
}

LSTATUS Win32Registry::EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) {
    InOut nameArg(nameLen);
    InOut typeArg(type);
    InOut dataArg(dataLen);
    return RegEnumValueA(toNative(key), index, name, nameArg.get(), nullptr, typeArg.get(), data,
                         dataArg.get());
}

std::unique_ptr<Registry> createPlatformRegistry() {
    return std::make_unique<Win32Registry>();
}

}  // namespace platform
