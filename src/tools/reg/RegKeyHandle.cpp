#include "tools/reg/RegKeyHandle.h"

#include <algorithm>

namespace regtool {

namespace {

using platform::LSTATUS;
namespace winerror = platform::winerror;

// A value or name may grow between asking its size and reading it (another process
// writes the same store): a few retries with a larger buffer, then give up.
constexpr int kAttempts = 4;
constexpr std::uint32_t kFirstNameBuffer = 256;

// Calls `enumerate(buffer, length)` with a name buffer that grows until the name fits.
template <typename Enumerate>
LSTATUS enumeratedName(std::string& out, Enumerate enumerate) {
    std::vector<char> buffer(kFirstNameBuffer);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        auto length = static_cast<std::uint32_t>(buffer.size());
        const LSTATUS status = enumerate(buffer.data(), &length);
        if (status != winerror::kMoreData) {
            if (status == winerror::kSuccess) {
                out.assign(buffer.data(), length);
            }
            return status;
        }
        buffer.resize(buffer.size() * 8);
    }
    return winerror::kMoreData;
}

platform::Registry& reg() {
    return platform::registry();
}

}  // namespace

RegKeyHandle::~RegKeyHandle() {
    close();
}

void RegKeyHandle::close() {
    if (key_ != platform::kNullKey) {
        reg().CloseKey(key_);
        key_ = platform::kNullKey;
    }
}

LSTATUS RegKeyHandle::open(platform::HKEY root, const std::string& ansiPath, std::uint32_t access) {
    close();
    return reg().OpenKeyEx(root, ansiPath, access, &key_);
}

LSTATUS RegKeyHandle::create(platform::HKEY root, const std::string& ansiPath) {
    close();
    return reg().CreateKeyEx(root, ansiPath, platform::kKeyWriteAccess, &key_, nullptr);
}

LSTATUS RegKeyHandle::readValue(const std::string& ansiName, RawValue& out) const {
    std::uint32_t size = 0;
    LSTATUS status = reg().QueryValueEx(key_, ansiName, &out.type, nullptr, &size);
    for (int attempt = 0; status == winerror::kSuccess && attempt < kAttempts; ++attempt) {
        out.bytes.assign(size, 0);
        std::uint32_t count = size;
        status = reg().QueryValueEx(key_, ansiName, &out.type,
                                    size == 0 ? nullptr : out.bytes.data(), &count);
        if (status == winerror::kSuccess) {
            out.name = ansiName;
            out.bytes.resize(count);
            return status;
        }
        if (status == winerror::kMoreData) {
            size = std::max(count, size * 2 + 16);
            status = winerror::kSuccess;
        }
    }
    return status == winerror::kSuccess ? winerror::kMoreData : status;
}

LSTATUS RegKeyHandle::writeValue(const RawValue& value) const {
    // Windows counts one byte more for a string whose counted bytes are followed by a
    // NUL ("the caller forgot the terminator"); a byte other than NUL after them keeps
    // a string without terminator exactly as it is.
    std::vector<std::uint8_t> buffer = value.bytes;
    buffer.push_back(0xFF);
    return reg().SetValueEx(key_, value.name, value.type, buffer.data(),
                            static_cast<std::uint32_t>(value.bytes.size()));
}

LSTATUS RegKeyHandle::deleteValue(const std::string& ansiName) const {
    return reg().DeleteValue(key_, ansiName);
}

LSTATUS RegKeyHandle::valueName(std::uint32_t index, std::string& out) const {
    return enumeratedName(out, [this, index](char* name, std::uint32_t* length) {
        std::uint32_t type = 0;
        std::uint32_t dataLength = 0;
        return reg().EnumValue(key_, index, name, length, &type, nullptr, &dataLength);
    });
}

LSTATUS RegKeyHandle::subKeyName(std::uint32_t index, std::string& out) const {
    return enumeratedName(out, [this, index](char* name, std::uint32_t* length) {
        return reg().EnumKeyEx(key_, index, name, length, nullptr, nullptr);
    });
}

LSTATUS RegKeyHandle::readValues(std::vector<RawValue>& out) const {
    out.clear();
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        LSTATUS status = valueName(index, name);
        if (status == winerror::kNoMoreItems) {
            return winerror::kSuccess;
        }
        RawValue value;
        if (status == winerror::kSuccess) {
            status = readValue(name, value);
        }
        if (status != winerror::kSuccess) {
            return status;
        }
        out.push_back(std::move(value));
    }
}

LSTATUS RegKeyHandle::subKeyNames(std::vector<std::string>& out) const {
    out.clear();
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        const LSTATUS status = subKeyName(index, name);
        if (status == winerror::kNoMoreItems) {
            return winerror::kSuccess;
        }
        if (status != winerror::kSuccess) {
            return status;
        }
        out.push_back(std::move(name));
    }
}

}  // namespace regtool
