#pragma once
// The context map of a compiled HTML Help file: which topic a help context number opens.
// Two internal files hold it: #IVB, a 32-bit byte count followed by pairs of 32-bit
// numbers (context number, offset into #STRINGS), and #STRINGS, zero-terminated names.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Tells whether the help file holds an object at `path` ("/name.htm").
using HasObject = std::function<bool(const std::string& path)>;

// The path inside the help file of the topic that `contextId` opens, or nothing when the map
// does not name one, names one the file does not hold, or is damaged. A map may name its
// topics relative to the file ("name.htm") or, as Free Pascal's chmcmd 3.2 writes them, by
// the full path of the source on the machine that compiled it; the longest trailing part of
// that path which names an object of the file is the topic.
std::optional<std::string> topicOfContext(std::string_view ivb, std::string_view strings,
                                          std::uint32_t contextId, const HasObject& hasObject);

}  // namespace platform
