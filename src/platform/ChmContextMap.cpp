#include "platform/ChmContextMap.h"

#include <algorithm>

namespace platform {

namespace {

std::uint32_t readLittleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// The name at `offset` of #STRINGS, or nothing when the offset lies outside it.
std::optional<std::string> nameAt(std::string_view strings, std::uint32_t offset) {
    if (offset >= strings.size()) {
        return std::nullopt;
    }
    const std::string_view rest = strings.substr(offset);
    return std::string(rest.substr(0, rest.find('\0')));
}

std::optional<std::string> objectNamed(std::string name, const HasObject& hasObject) {
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.front() != '/') {
        name.insert(name.begin(), '/');
    }
    for (std::size_t slash = 0; slash != std::string::npos; slash = name.find('/', slash + 1)) {
        std::string candidate = name.substr(slash);
        if (candidate.size() > 1 && hasObject(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> topicOfContext(std::string_view ivb, std::string_view strings,
                                          std::uint32_t contextId, const HasObject& hasObject) {
    if (ivb.size() < 4) {
        return std::nullopt;
    }
    // The count is what the pairs take; a count beyond the file's end means a damaged file,
    // of which only the pairs present are read.
    const std::size_t pairsEnd = std::min<std::size_t>(4 + readLittleEndian32(ivb, 0), ivb.size());
    for (std::size_t at = 4; at + 8 <= pairsEnd; at += 8) {
        if (readLittleEndian32(ivb, at) != contextId) {
            continue;
        }
        if (auto name = nameAt(strings, readLittleEndian32(ivb, at + 4))) {
            return objectNamed(*name, hasObject);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace platform
