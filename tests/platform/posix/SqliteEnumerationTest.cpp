// A walk by index gives at each step what a query of the hive as it is then gives, on
// both hives, while this process and another one add, replace and delete in between.

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

// "name=data" of the value or "name" of the subkey at that index, else its status.
std::string at(Registry& registry, HKEY key, std::uint32_t index, bool value = true) {
    std::string name(64, '\0');
    std::string data(4 << 20, '\0');
    auto nameLen = static_cast<std::uint32_t>(name.size());
    auto dataLen = static_cast<std::uint32_t>(data.size());
    const LSTATUS status =
        value ? registry.EnumValue(key, index, name.data(), &nameLen, nullptr,
                                   reinterpret_cast<std::uint8_t*>(data.data()), &dataLen)
              : registry.EnumKeyEx(key, index, name.data(), &nameLen, nullptr, nullptr);
    if (status != 0) {
        return "status " + std::to_string(status);
    }
    return name.substr(0, nameLen) + (value ? "=" + data.substr(0, dataLen - 1) : "");
}

using SqliteEnumeration = SqliteStoreTest;

TEST_F(SqliteEnumeration, AWalkSeesEveryChangeMadeBetweenItsSteps) {
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        SCOPED_TRACE(root);
        auto mine = makeRegistry();
        auto other = makeRegistry();
        const HKEY key = createKey(*mine, root, kKey);
        const HKEY theirs = createKey(*other, root, kKey);
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            ASSERT_EQ(setText(*mine, key, name, "1"), 0);
        }
        EXPECT_EQ(at(*mine, key, 1), "B=1");
        // Values come in creation order; a replaced one keeps its place.
        ASSERT_EQ(other->DeleteValue(theirs, "A"), 0);
        ASSERT_EQ(setText(*other, theirs, "d", "2"), 0);
        EXPECT_EQ(at(*mine, key, 2), "D=2");
        ASSERT_EQ(setText(*mine, key, "F", "1"), 0);
        ASSERT_EQ(setText(*mine, key, "C", "2"), 0);
        EXPECT_EQ(at(*mine, key, 4), "F=1");
        ASSERT_EQ(setText(*other, theirs, "G", "1"), 0);
        ASSERT_EQ(mine->DeleteValue(key, "B"), 0);
        EXPECT_EQ(at(*mine, key, 0), "C=2");
        EXPECT_EQ(at(*mine, key, 4), "G=1");
        EXPECT_EQ(at(*mine, key, 5), "status 259");

        // Subkeys come by upper-cased name.
        mine->CloseKey(createKey(*mine, key, "Zeta"));
        mine->CloseKey(createKey(*mine, key, "alpha"));
        EXPECT_EQ(at(*mine, key, 0, false), "alpha");
        other->CloseKey(createKey(*other, theirs, "Beta"));
        EXPECT_EQ(at(*mine, key, 1, false), "Beta");
        mine->CloseKey(createKey(*mine, key, "Omega"));
        EXPECT_EQ(at(*mine, key, 3, false), "Zeta");
    }
}

TEST_F(SqliteEnumeration, ValuesTooLargeToKeepTogetherAreWalkedRowByRow) {
    auto registry = makeRegistry();
    const HKEY key = createKey(*registry, kHkeyCurrentUser, kKey);
    for (const char* name : {"Z", "Y", "X", "W"}) {
        ASSERT_EQ(setText(*registry, key, name, std::string(3 << 20, 'b')), 0);
    }
    ASSERT_EQ(setText(*registry, key, "Y", "small"), 0);
    EXPECT_EQ(at(*registry, key, 1), "Y=small");
    EXPECT_EQ(at(*registry, key, 2), "X=" + std::string(3 << 20, 'b'));
}

}  // namespace
}  // namespace sqlitestoretest
