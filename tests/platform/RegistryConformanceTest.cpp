// Run on the Linux key store and on advapi32 under Wine: where they differ, Windows is right.

#include <gtest/gtest.h>

#include <vector>

#include "platform/Registry.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace {

using namespace platform;
using namespace platform::winerror;
using testsupport::createKey;
using testsupport::getRaw;
using testsupport::keyExists;

const std::string kBase = "Software\\Orvane\\Conformance";
constexpr std::uint32_t kSentinel = 0xdeadbeef;

class RegistryConformance : public ::testing::Test {
protected:
    void SetUp() override { createKey(kHkeyCurrentUser, kBase); }

    // The handle is left open: the registry goes with the test's scope.
    static HKEY open(std::uint32_t access = kKeyRead) {
        HKEY key = 0;
        EXPECT_EQ(registry().OpenKeyEx(kHkeyCurrentUser, kBase, access, &key), 0);
        return key;
    }
    static LSTATUS set(const std::string& name, std::uint32_t type, const std::string& bytes,
                       const std::string& path = kBase) {
        return testsupport::setRaw(kHkeyCurrentUser, path, name, type, bytes);
    }
    static std::uint32_t createWithDisposition(const std::string& path) {
        HKEY key = 0;
        std::uint32_t disposition = 0;
        EXPECT_EQ(
            registry().CreateKeyEx(kHkeyCurrentUser, path, kKeyWriteAccess, &key, &disposition), 0);
        EXPECT_NE(key, 0u);
        registry().CloseKey(key);
        return disposition;
    }

    testsupport::ScopedTestRegistry scope_;
};

TEST_F(RegistryConformance, CreateMakesParentsKeepsWhatIsThereAndValuesSurviveAFreshInstance) {
    EXPECT_EQ(createWithDisposition(kBase + "\\A\\B\\C"), kCreatedNewKey);
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase + "\\A\\B"));
    EXPECT_EQ(createWithDisposition(kBase + "\\A\\B\\C"), kOpenedExistingKey);

    ASSERT_EQ(set("Kept", regtype::kSz, std::string("x\0", 2)), 0);
    EXPECT_EQ(createWithDisposition(kBase), kOpenedExistingKey);
    EXPECT_TRUE(getRaw(kHkeyCurrentUser, kBase, "Kept").has_value());
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase + "\\A"));
    ASSERT_EQ(set("Durable", regtype::kSz, std::string("yes\0", 4)), 0);
    registry().CloseKey(0);
    registry().CloseKey(kHkeyCurrentUser);
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase)) << "the root still works afterwards";
    installRegistry(createPlatformRegistry());
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Durable")->bytes, std::string("yes\0", 4));
}

TEST_F(RegistryConformance, QueryReportsTypeAndSizeAndCopiesExactlyTheStoredBytes) {
    const std::string stored("a\0b\0", 4);
    ASSERT_EQ(set("Inner", regtype::kSz, stored), 0);
    ASSERT_EQ(set("Long", regtype::kSz, std::string("abcdef\0", 7)), 0);
    const HKEY key = open();
    std::uint32_t type = kSentinel;
    std::uint32_t size = 0;
    EXPECT_EQ(registry().QueryValueEx(key, "Inner", &type, nullptr, &size), 0);
    EXPECT_EQ(type, regtype::kSz);
    EXPECT_EQ(size, 4u);
    std::vector<std::uint8_t> buffer(16, 0xbd);
    size = 16;
    ASSERT_EQ(registry().QueryValueEx(key, "Inner", nullptr, buffer.data(), &size), 0);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 5), stored + '\xbd')
        << "the byte past the reported size must stay untouched";
    size = 3;
    EXPECT_EQ(registry().QueryValueEx(key, "Long", nullptr, buffer.data(), &size), kMoreData);
    EXPECT_EQ(size, 7u) << "the size needed";
}

TEST_F(RegistryConformance, MissingKeysAndValuesHandleZeroAndReadOnlyHandlesGiveTheirCodes) {
    for (const auto& [root, path] : {std::pair(kHkeyCurrentUser, kBase + "\\Missing"),
                                     std::pair(kHkeyLocalMachine, kBase + "\\Nowhere")}) {
        HKEY key = kSentinel;
        EXPECT_EQ(registry().OpenKeyEx(root, path, kKeyRead, &key), kFileNotFound);
        EXPECT_EQ(key, 0u);
    }
    const HKEY key = open();
    std::uint32_t size = 0;
    EXPECT_EQ(registry().QueryValueEx(key, "Absent", nullptr, nullptr, &size), kFileNotFound);
    EXPECT_EQ(registry().QueryValueEx(0, "Absent", nullptr, nullptr, &size), kInvalidHandle);
    const std::uint8_t data[] = {'1', 0};
    for (const auto& [handle, status] : {std::pair<HKEY, LSTATUS>(0, kInvalidHandle),
                                         std::pair<HKEY, LSTATUS>(key, kAccessDenied)}) {
        EXPECT_EQ(registry().SetValueEx(handle, "W", regtype::kSz, data, 2), status);
        EXPECT_EQ(registry().DeleteValue(handle, "W"), status);
    }
}

// Each row replaces the value before it of the same name, whatever its type.
TEST_F(RegistryConformance, StoredTypesAndByteCountsComeBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const struct {
        const char* name;
        std::uint32_t type;
        std::string bytes;
        std::uint32_t count;
    } cases[] = {
        // No terminator: the byte after the counted ones is not NUL, so nothing adds one.
        {"NoNul", regtype::kSz, "abcX", 3},
        {"Zero", regtype::kSz, "", 0},
        {"Empty", regtype::kSz, std::string(1, '\0'), 1},
        {"V", regtype::kDword, std::string("\x2c\x01\x00\x00", 4), 4},
        {"V", regtype::kSz, std::string("t\0", 2), 2},
        {"Bin", regtype::kBinary, all, 256},
        {"Multi", regtype::kMultiSz, std::string("a\0b\0\0", 5), 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(testsupport::setRaw(kHkeyCurrentUser, kBase, c.name, c.type, c.bytes, c.count),
                  0);
        const auto value = getRaw(kHkeyCurrentUser, kBase, c.name);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->bytes, c.bytes.substr(0, c.count));
    }
}

TEST_F(RegistryConformance, DeletingValuesAndKeysTakesWhatTheyHoldButNotAKeyWithSubkeys) {
    const std::string child = kBase + "\\Parent\\Child";
    createKey(kHkeyCurrentUser, child);
    ASSERT_EQ(set("Gone", regtype::kSz, std::string("1\0", 2)), 0);
    ASSERT_EQ(set("Old", regtype::kSz, std::string("1\0", 2), child), 0);
    const HKEY key = open(kKeyWriteAccess);
    EXPECT_EQ(registry().DeleteValue(key, "Gone"), 0);
    EXPECT_FALSE(getRaw(kHkeyCurrentUser, kBase, "Gone").has_value());
    EXPECT_EQ(registry().DeleteValue(key, "Gone"), kFileNotFound);

    EXPECT_EQ(registry().DeleteKey(key, "Parent"), kAccessDenied);
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, child));
    EXPECT_EQ(registry().DeleteKey(key, "parent\\CHILD"), 0);
    EXPECT_FALSE(keyExists(kHkeyCurrentUser, child));
    EXPECT_EQ(registry().DeleteKey(key, "Parent\\Child"), kFileNotFound);
    createKey(kHkeyCurrentUser, child);
    EXPECT_FALSE(getRaw(kHkeyCurrentUser, child, "Old").has_value());
}

TEST_F(RegistryConformance, NamesCompareWithoutRegardToLetterCase) {
    ASSERT_EQ(set("ConfName0", regtype::kSz, std::string("a\0", 2)), 0);
    ASSERT_EQ(
        set("CONFNAME0", regtype::kSz, std::string("b\0", 2), "SOFTWARE\\orvane\\CONFORMANCE"), 0);
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "confname0")->bytes, std::string("b\0", 2));

    // The spelling first used is the one listed.
    char name[32];
    std::uint32_t nameLen = sizeof name;
    std::uint32_t dataLen = 0;
    ASSERT_EQ(registry().EnumValue(open(), 0, name, &nameLen, nullptr, nullptr, &dataLen), 0);
    EXPECT_EQ(std::string(name, nameLen), "ConfName0");
}

TEST_F(RegistryConformance, KeyInfoAndEnumerationReportNamesSizesCountsAndTheEnd) {
    createKey(kHkeyCurrentUser, kBase + "\\Alpha");
    createKey(kHkeyCurrentUser, kBase + "\\Bravissimo");
    ASSERT_EQ(set("Short", regtype::kSz, std::string("1\0", 2)), 0);
    ASSERT_EQ(set("LongerName", regtype::kSz, std::string("12345\0", 6)), 0);
    const HKEY key = open();

    KeyInfo info;
    ASSERT_EQ(registry().QueryInfoKey(key, &info), 0);
    EXPECT_EQ(info.subKeys, 2u);
    EXPECT_EQ(info.maxSubKeyLen, 10u);
    EXPECT_EQ(info.values, 2u);
    EXPECT_EQ(info.maxValueNameLen, 10u);
    // Windows keeps string data as UTF-16 and reports that size, even to the ANSI function.
    EXPECT_EQ(info.maxValueLen, 12u);

    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        char name[32];
        char cls[32];
        std::uint32_t nameLen = sizeof name;
        std::uint32_t classLen = sizeof cls;
        const LSTATUS status = registry().EnumKeyEx(key, index, name, &nameLen, cls, &classLen);
        if (status == kNoMoreItems) {
            break;
        }
        ASSERT_EQ(status, 0);
        EXPECT_EQ(name[nameLen], '\0');
        names.emplace_back(name, nameLen);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Bravissimo"}));

    char small[5];
    std::uint32_t smallLen = sizeof small;
    EXPECT_EQ(registry().EnumKeyEx(key, 1, small, &smallLen, nullptr, nullptr), kMoreData);
}

}  // namespace
