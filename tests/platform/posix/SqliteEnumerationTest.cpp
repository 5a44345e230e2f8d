// Walking a key by index gives what a fresh query with OFFSET gives at each step, on
// both hives, while this process and another one add, replace and delete in between.

#include <string>
#include <vector>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kKey = "Software\\Orvane\\Enumeration";

struct Entry {
    LSTATUS status = 0;
    std::string name;
    std::string data;
};

Entry valueAt(Registry& registry, HKEY key, std::uint32_t index) {
    Entry entry;
    std::string name(64, '\0');
    std::string data(4 << 20, '\0');
    auto nameLen = static_cast<std::uint32_t>(name.size());
    auto dataLen = static_cast<std::uint32_t>(data.size());
    entry.status = registry.EnumValue(key, index, name.data(), &nameLen, nullptr,
                                      reinterpret_cast<std::uint8_t*>(data.data()), &dataLen);
    if (entry.status == 0) {
        entry.name = name.substr(0, nameLen);
        entry.data = data.substr(0, dataLen);
    }
    return entry;
}

std::string subkeyAt(Registry& registry, HKEY key, std::uint32_t index) {
    char name[64];
    std::uint32_t nameLen = sizeof name;
    const LSTATUS status = registry.EnumKeyEx(key, index, name, &nameLen, nullptr, nullptr);
    return status == 0 ? std::string(name, nameLen) : "status " + std::to_string(status);
}

std::vector<std::string> valueNames(Registry& registry, HKEY key) {
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        const Entry entry = valueAt(registry, key, index);
        if (entry.status != 0) {
            EXPECT_EQ(entry.status, winerror::kNoMoreItems);
            return names;
        }
        names.push_back(entry.name);
    }
}

class Enumeration : public SqliteStoreTest {};

TEST_F(Enumeration, AWalkSeesEveryChangeMadeBetweenItsSteps) {
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        SCOPED_TRACE(root == kHkeyCurrentUser ? "user hive" : "machine hive");
        auto mine = makeRegistry();
        auto other = makeRegistry();
        const HKEY key = createKey(*mine, root, kKey);
        const HKEY theirs = createKey(*other, root, kKey);
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            ASSERT_EQ(setText(*mine, key, name, name), 0);
        }
        EXPECT_EQ(valueNames(*mine, key), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
        EXPECT_EQ(valueAt(*mine, key, 1).name, "B");

        // The other process deletes the first and replaces one: one place further on is D,
        // with its new data.
        ASSERT_EQ(other->DeleteValue(theirs, "A"), 0);
        ASSERT_EQ(setText(*other, theirs, "d", "new"), 0);
        const Entry d = valueAt(*mine, key, 2);
        EXPECT_EQ(d.name, "D");
        EXPECT_EQ(d.data, sz("new"));
        // A value of our own is added at the end, a replaced one keeps its place.
        ASSERT_EQ(setText(*mine, key, "F", "F"), 0);
        ASSERT_EQ(setText(*mine, key, "C", "again"), 0);
        EXPECT_EQ(valueAt(*mine, key, 4).name, "F");
        ASSERT_EQ(setText(*other, theirs, "G", "G"), 0);
        EXPECT_EQ(valueAt(*mine, key, 5).name, "G");
        EXPECT_EQ(valueAt(*mine, key, 6).status, winerror::kNoMoreItems);
        ASSERT_EQ(mine->DeleteValue(key, "B"), 0);
        EXPECT_EQ(valueNames(*mine, key), (std::vector<std::string>{"C", "D", "E", "F", "G"}));

        // Subkeys come by upper-cased name, one made in between included.
        for (const char* name : {"Zeta", "alpha"}) {
            mine->CloseKey(createKey(*mine, key, name));
        }
        EXPECT_EQ(subkeyAt(*mine, key, 0), "alpha");
        other->CloseKey(createKey(*other, theirs, "Beta"));
        EXPECT_EQ(subkeyAt(*mine, key, 1), "Beta");
        mine->CloseKey(createKey(*mine, key, "Omega"));
        EXPECT_EQ(subkeyAt(*mine, key, 2), "Omega");
        EXPECT_EQ(subkeyAt(*mine, key, 3), "Zeta");
        EXPECT_EQ(subkeyAt(*mine, key, 4), "status 259");
        mine->CloseKey(key);
        other->CloseKey(theirs);
    }
}

// Values too large to keep together in memory are read row by row, in the same order.
TEST_F(Enumeration, ALargeKeyIsWalkedWithItsData) {
    auto registry = makeRegistry();
    const HKEY key = createKey(*registry, kHkeyCurrentUser, kKey);
    const std::string big(3 << 20, 'b');
    for (const char* name : {"Three", "One", "Two"}) {
        ASSERT_EQ(setText(*registry, key, name, big + name), 0);
    }
    for (const auto& [index, name] : {std::pair{0u, "Three"}, {1u, "One"}, {2u, "Two"}}) {
        const Entry entry = valueAt(*registry, key, index);
        EXPECT_EQ(entry.name, name);
        EXPECT_EQ(entry.data, sz(big + name));
    }
    EXPECT_EQ(valueAt(*registry, key, 3).status, winerror::kNoMoreItems);
    registry->CloseKey(key);
}

}  // namespace
}  // namespace sqlitestoretest
