#pragma once
// The subset of the Windows registry functions (advapi32, ANSI variants) that the
// program calls. Names, paths and string data cross this interface as bytes in the
// ANSI code page, exactly as they would cross RegSetValueExA and friends.
// Windows implements it with advapi32; elsewhere a substitute key store stands in
// and must give the same observable results (status codes, byte counts, handles).

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

using HKEY = std::uintptr_t;
using LSTATUS = std::int32_t;

constexpr HKEY kNullKey = 0;
constexpr HKEY kHkeyCurrentUser = 0x80000001;
constexpr HKEY kHkeyLocalMachine = 0x80000002;

// Windows error codes returned by the registry functions.
namespace winerror {
constexpr LSTATUS kSuccess = 0;
constexpr LSTATUS kFileNotFound = 2;
constexpr LSTATUS kAccessDenied = 5;
constexpr LSTATUS kInvalidHandle = 6;
constexpr LSTATUS kNotEnoughMemory = 8;
constexpr LSTATUS kInvalidParameter = 87;
constexpr LSTATUS kCallNotImplemented = 120;
constexpr LSTATUS kMoreData = 234;
constexpr LSTATUS kNoMoreItems = 259;
constexpr LSTATUS kBadDb = 1009;
constexpr LSTATUS kBadKey = 1010;
constexpr LSTATUS kCantOpen = 1011;
constexpr LSTATUS kCantRead = 1012;
constexpr LSTATUS kCantWrite = 1013;
constexpr LSTATUS kRegistryCorrupt = 1015;
}  // namespace winerror

// Registry value types.
namespace regtype {
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kExpandSz = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kMultiSz = 7;
}  // namespace regtype

// Access masks.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyWriteAccess = 0x3F;  // what the program asks for to create, write, delete
constexpr std::uint32_t kKeyRead = 0x20019;

constexpr std::uint32_t kCreatedNewKey = 1;
constexpr std::uint32_t kOpenedExistingKey = 2;

// What RegQueryInfoKeyA reports; lengths in characters without the terminating NUL.
struct KeyInfo {
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLen = 0;
    std::uint32_t maxClassLen = 0;
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLen = 0;
    std::uint32_t maxValueLen = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // RegCreateKeyExA: opens the key if it exists, else creates it (and any missing
    // parent). `disposition` may be null.
    virtual LSTATUS CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                                HKEY* result, std::uint32_t* disposition) = 0;
    // RegOpenKeyExA: opens an existing key only; on failure *result is 0.
    virtual LSTATUS OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                              HKEY* result) = 0;
    // RegSetValueExA: replaces any earlier value of that name, whatever its type.
    virtual LSTATUS SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t count) = 0;
    // RegQueryValueExA: `type` and `data` may be null; `count` is in/out (bytes),
    // and may be null only when `data` is null.
    virtual LSTATUS QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* count) = 0;
    virtual LSTATUS DeleteValue(HKEY key, const std::string& name) = 0;
    // RegDeleteKeyA: deletes a subkey of an open key, with its values, when it has no
    // subkeys of its own (ERROR_ACCESS_DENIED when it has). A store that cannot delete
    // keys answers ERROR_CALL_NOT_IMPLEMENTED, as Windows does for a missing function.
    virtual LSTATUS DeleteKey(HKEY /*key*/, const std::string& /*subKey*/) {
        return winerror::kCallNotImplemented;
    }
    // RegCloseKey: closing handle 0 or a root is harmless.
    virtual LSTATUS CloseKey(HKEY key) = 0;
    virtual LSTATUS QueryInfoKey(HKEY key, KeyInfo* info) = 0;
    // RegEnumKeyExA: `nameLen`/`classLen` are in/out character counts; on input the
    // buffer size including the NUL, on success the length without it. `cls` may be null.
    virtual LSTATUS EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                              char* cls, std::uint32_t* classLen) = 0;
    // RegEnumValueA, same buffer conventions; `data` may be null to learn the size.
    virtual LSTATUS EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) = 0;
    // Makes the writes to the root's hive that follow, until EndWrites, one transaction
    // where the store has them: all of them stay, or none when EndWrites drops them or the
    // process dies first. advapi32 has none; there every write stands alone.
    virtual LSTATUS BeginWrites(HKEY /*root*/) { return 0; }
    virtual LSTATUS EndWrites(HKEY /*root*/, bool /*keep*/) { return 0; }
};

// The process-wide registry, created on first use by the platform's factory.
Registry& registry();
// Replaces the process-wide registry (tests point it at a temporary store).
void installRegistry(std::unique_ptr<Registry> replacement);
// The platform's own implementation, freshly created.
std::unique_ptr<Registry> createPlatformRegistry();

}  // namespace platform
