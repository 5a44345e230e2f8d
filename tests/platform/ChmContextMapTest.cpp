#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/ChmContextMap.h"

namespace {

std::string littleEndian(std::uint32_t value) {
    return {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
}

// A #IVB map of (context number, #STRINGS offset) pairs, after the count of bytes they take.
std::string ivbOf(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs,
                  std::optional<std::uint32_t> count = {}) {
    std::string body;
    for (const auto& [contextId, offset] : pairs) {
        body += littleEndian(contextId) + littleEndian(offset);
    }
    return littleEndian(count.value_or(static_cast<std::uint32_t>(body.size()))) + body;
}

// #STRINGS starts with a zero byte; the names follow at offsets 1, 15 and 63.
const std::string kStrings = std::string("\0", 1) + std::string("frequency.htm\0", 14) +
                             std::string("/home/dev/quillbell/share/help/English/port.htm\0", 48) +
                             std::string("Help\\signal.htm\0", 16);

TEST(ChmContextMap, NumbersResolveToTopicsTheFileHoldsAndDamagedMapsAreReadNoFurtherThanTheyReach) {
    const std::set<std::string> objects = {"/frequency.htm", "/port.htm", "/Help/signal.htm",
                                           "/English/port.htm"};
    const platform::HasObject has = [&](const std::string& path) { return objects.count(path); };
    const std::string ivb = ivbOf({{21160, 1}, {21120, 15}, {21170, 63}, {21999, 4000}});
    struct Case {
        std::uint32_t contextId;
        std::optional<std::string> topic;
    } cases[] = {
        {21160, "/frequency.htm"},     // a name relative to the file
        {21120, "/English/port.htm"},  // the compiling machine's path: its longest held tail
        {21170, "/Help/signal.htm"},   // backslashes as separators
        {21999, std::nullopt},         // an offset beyond #STRINGS
        {21050, std::nullopt},         // a number the map lacks
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::topicOfContext(ivb, kStrings, c.contextId, has), c.topic)
            << c.contextId;
    }

    const platform::HasObject any = [](const std::string&) { return true; };
    const std::string whole = ivbOf({{21160, 1}, {21120, 15}});
    EXPECT_EQ(platform::topicOfContext(whole.substr(0, 3), kStrings, 21160, any), std::nullopt);
    // A count past the end: the whole pairs present still count, a cut pair does not.
    EXPECT_EQ(platform::topicOfContext(ivbOf({{21160, 1}}, 4096), kStrings, 21160, any),
              "/frequency.htm");
    EXPECT_EQ(platform::topicOfContext(whole.substr(0, whole.size() - 1), kStrings, 21120, any),
              std::nullopt);
    // A count shorter than the pairs hides those after it.
    EXPECT_EQ(platform::topicOfContext(ivbOf({{21160, 1}, {21120, 15}}, 8), kStrings, 21120, any),
              std::nullopt);
    // An empty name names nothing, nor does a folder's name lead to the file's root "/".
    EXPECT_EQ(platform::topicOfContext(ivbOf({{1, 0}}), kStrings, 1, any), std::nullopt);
    const platform::HasObject onlyRoot = [](const std::string& path) { return path == "/"; };
    EXPECT_EQ(platform::topicOfContext(ivbOf({{1, 0}}), std::string("Help\\\0", 6), 1, onlyRoot),
              std::nullopt);
}

}  // namespace
