#include "registry/modRegistryAccess.h"

#include <algorithm>
#include <new>
#include <vector>

#include "platform/CodePage.h"

namespace modRegistryAccess {

namespace {

platform::HKEY rootKey(RootHive root) {
    return static_cast<platform::HKEY>(root);
}

std::string ansi(const std::string& text) {
    return platform::ansiCodePage().toAnsi(text);
}

platform::HKEY openKey(RootHive root, const std::string& path, std::uint32_t access) {
    platform::HKEY key = platform::kNullKey;
    // A failed open leaves the handle 0; the call on it that follows fails quietly.
    if (platform::registry().OpenKeyEx(rootKey(root), ansi(path), access, &key) != 0) {
        key = platform::kNullKey;
    }
    return key;
}

RegStatus readString(platform::HKEY key, const std::string& name, std::uint32_t size,
                     RegValue& out) {
    if (size == 0) {
        // Nothing to drop the terminator from: the output stays as it was.
        return platform::winerror::kSuccess;
    }
    std::vector<std::uint8_t> buffer(size, 0);
    std::uint32_t type = 0;
    std::uint32_t count = size;
    const RegStatus status =
        platform::registry().QueryValueEx(key, name, &type, buffer.data(), &count);
    if (status != platform::winerror::kSuccess) {
        out = std::monostate{};
        return status;
    }
    // Delimited by the byte count, not by the first NUL: inner NULs survive.
    const std::string bytes(reinterpret_cast<const char*>(buffer.data()), size - 1);
    out = platform::ansiCodePage().fromAnsi(bytes);
    return status;
}

RegStatus readDword(platform::HKEY key, const std::string& name, std::uint32_t size,
                    RegValue& out) {
    // Sized by the first query so that an odd-sized DWORD value cannot overrun the integer.
    std::vector<std::uint8_t> buffer(std::max<std::uint32_t>(size, 4), 0);
    std::uint32_t type = 0;
    std::uint32_t count = size;
    const RegStatus status =
        platform::registry().QueryValueEx(key, name, &type, buffer.data(), &count);
    if (status == platform::winerror::kSuccess) {
        const std::uint32_t bits = buffer[0] | (buffer[1] << 8) | (buffer[2] << 16) |
                                   (static_cast<std::uint32_t>(buffer[3]) << 24);
        out = static_cast<std::int32_t>(bits);
    }
    return status;
}

}  // namespace

void CreateRegKey(RootHive root, const std::string& path) {
    platform::HKEY key = platform::kNullKey;
    std::uint32_t disposition = 0;
    if (platform::registry().CreateKeyEx(rootKey(root), ansi(path), platform::kKeyWriteAccess,
                                         &key, &disposition) != 0) {
        key = platform::kNullKey;
    }
    platform::registry().CloseKey(key);
}

void WriteRegValue(RootHive root, const std::string& path, const std::string& name,
                   const RegValue& value, std::int32_t type) {
    const platform::HKEY key = openKey(root, path, platform::kKeyWriteAccess);
    WriteOpenKeyValue(key, name, type, value);
    platform::registry().CloseKey(key);
}

RegValue ReadRegValue(RootHive root, const std::string& path, const std::string& name) {
    RegValue result;
    const platform::HKEY key = openKey(root, path, platform::kKeyRead);
    ReadOpenKeyValue(key, name, result);
    platform::registry().CloseKey(key);
    return result;
}

void DeleteRegValue(RootHive root, const std::string& path, const std::string& name) {
    const platform::HKEY key = openKey(root, path, platform::kKeyWriteAccess);
    platform::registry().DeleteValue(key, ansi(name));
    platform::registry().CloseKey(key);
}

RegStatus WriteOpenKeyValue(platform::HKEY key, const std::string& name, std::int32_t type,
                            const RegValue& value) {
    if (type == kRegSz) {
        std::string data = ansi(toText(value));
        data.push_back('\0');
        return platform::registry().SetValueEx(
            key, ansi(name), platform::regtype::kSz,
            reinterpret_cast<const std::uint8_t*>(data.data()),
            static_cast<std::uint32_t>(data.size()));
    }
    if (type == kRegDword) {
        const auto bits = static_cast<std::uint32_t>(toInteger(value));
        const std::uint8_t data[4] = {
            static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        return platform::registry().SetValueEx(key, ansi(name), platform::regtype::kDword, data,
                                               4);
    }
    return platform::winerror::kSuccess;
}

RegStatus ReadOpenKeyValue(platform::HKEY key, const std::string& name, RegValue& out) {
    RegStatus status = platform::winerror::kSuccess;
    try {
        const std::string ansiName = ansi(name);
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        status = platform::registry().QueryValueEx(key, ansiName, &type, nullptr, &size);
        if (status != platform::winerror::kSuccess) {
            return status;
        }
        switch (type) {
            case platform::regtype::kSz:
                return readString(key, ansiName, size, out);
            case platform::regtype::kDword:
                return readDword(key, ansiName, size, out);
            default:
                return kUnsupportedType;
        }
    } catch (const std::bad_alloc&) {
        // A value too large to hold is a failure, not a success with nothing read.
        return platform::winerror::kNotEnoughMemory;
    } catch (...) {
        return status;
    }
}

}  // namespace modRegistryAccess
