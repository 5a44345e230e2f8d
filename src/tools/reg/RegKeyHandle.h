#pragma once
// An open key of platform::registry(), closed when the object goes. Names cross this
// class as ANSI bytes, values as their exact stored bytes: the tool must see what the
// registry access layer cannot express (other types, odd byte counts, raw strings).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace regtool {

struct RawValue {
    std::string name;  // ANSI
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;  // byte count = bytes.size()
};

class RegKeyHandle {
public:
    RegKeyHandle() = default;
    ~RegKeyHandle();
    RegKeyHandle(const RegKeyHandle&) = delete;
    RegKeyHandle& operator=(const RegKeyHandle&) = delete;

    platform::LSTATUS open(platform::HKEY root, const std::string& ansiPath, std::uint32_t access);
    // Opens the key, creating it and any missing parent.
    platform::LSTATUS create(platform::HKEY root, const std::string& ansiPath);
    platform::HKEY handle() const { return key_; }

    platform::LSTATUS readValue(const std::string& ansiName, RawValue& out) const;
    platform::LSTATUS writeValue(const RawValue& value) const;
    platform::LSTATUS deleteValue(const std::string& ansiName) const;
    // Every value with its data, in the registry's order.
    platform::LSTATUS readValues(std::vector<RawValue>& out) const;
    platform::LSTATUS subKeyNames(std::vector<std::string>& out) const;

private:
    platform::LSTATUS valueName(std::uint32_t index, std::string& out) const;
    platform::LSTATUS subKeyName(std::uint32_t index, std::string& out) const;
    void close();

    platform::HKEY key_ = platform::kNullKey;
};

}  // namespace regtool
