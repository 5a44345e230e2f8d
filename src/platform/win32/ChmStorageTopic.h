#pragma once
// The context map of a compiled help file read through Windows' own reader of the format,
// the InfoTech storage of itss.dll, which HTML Help uses itself.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The topic ("/name.htm") that `contextId` opens in `helpFile` (a UTF-8 path), or nothing
// when the file cannot be opened or maps no topic it holds to the number.
std::optional<std::string> chmTopicOfContext(const std::string& helpFile, std::uint32_t contextId);

}  // namespace platform
