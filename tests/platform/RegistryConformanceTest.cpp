// The results the program relies on from the registry functions. The same suite runs
// against the SQLite key store on Linux and against advapi32 under Wine: where they
// disagree, the real registry is right.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Registry.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace {

using namespace platform;
using testsupport::getRaw;
using testsupport::setRaw;

const std::string kBase = "Software\\Orvane\\Conformance";
constexpr std::uint32_t kSentinel = 0xdeadbeef;

class RegistryConformance : public ::testing::Test {
protected:
    void SetUp() override { testsupport::createKey(kHkeyCurrentUser, kBase); }

    HKEY open(const std::string& path = kBase, std::uint32_t access = kKeyWriteAccess) {
        HKEY key = 0;
        EXPECT_EQ(registry().OpenKeyEx(kHkeyCurrentUser, path, access, &key), 0) << path;
        opened_.push_back(key);
        return key;
    }
    void TearDown() override {
        for (HKEY key : opened_) {
            registry().CloseKey(key);
        }
    }

    testsupport::ScopedTestRegistry scope_;
    std::vector<HKEY> opened_;
};

TEST_F(RegistryConformance, OpeningAMissingKeyFailsWithFileNotFoundAndLeavesHandleZero) {
    HKEY key = kSentinel;
    EXPECT_EQ(registry().OpenKeyEx(kHkeyCurrentUser, kBase + "\\Missing", kKeyRead, &key),
              winerror::kFileNotFound);
    EXPECT_EQ(key, 0u);
    key = kSentinel;
    EXPECT_EQ(registry().OpenKeyEx(kHkeyLocalMachine, "Software\\Orvane\\Nowhere", kKeyRead, &key),
              winerror::kFileNotFound);
    EXPECT_EQ(key, 0u);
}

TEST_F(RegistryConformance, CreateMakesMissingParentsAndReportsDisposition) {
    HKEY key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(registry().CreateKeyEx(kHkeyCurrentUser, kBase + "\\A\\B\\C", kKeyWriteAccess, &key,
                                     &disposition),
              0);
    EXPECT_NE(key, 0u);
    EXPECT_EQ(disposition, kCreatedNewKey);
    registry().CloseKey(key);
    EXPECT_TRUE(testsupport::keyExists(kHkeyCurrentUser, kBase + "\\A\\B"));

    ASSERT_EQ(registry().CreateKeyEx(kHkeyCurrentUser, kBase + "\\A\\B\\C", kKeyWriteAccess, &key,
                                     &disposition),
              0);
    EXPECT_EQ(disposition, kOpenedExistingKey);
    registry().CloseKey(key);
}

TEST_F(RegistryConformance, CreatingAnExistingKeyKeepsItsValuesAndSubkeys) {
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Child");
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Kept", regtype::kSz, std::string("x\0", 2)), 0);
    testsupport::createKey(kHkeyCurrentUser, kBase);
    EXPECT_TRUE(getRaw(kHkeyCurrentUser, kBase, "Kept").has_value());
    EXPECT_TRUE(testsupport::keyExists(kHkeyCurrentUser, kBase + "\\Child"));
}

TEST_F(RegistryConformance, SizeQueryWithoutBufferReportsTypeAndByteCount) {
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Name", regtype::kSz, std::string("300\0", 4)), 0);
    const HKEY key = open(kBase, kKeyRead);
    std::uint32_t type = kSentinel;
    std::uint32_t size = 0;
    EXPECT_EQ(registry().QueryValueEx(key, "Name", &type, nullptr, &size), 0);
    EXPECT_EQ(type, regtype::kSz);
    EXPECT_EQ(size, 4u);
}

TEST_F(RegistryConformance, QueryCopiesExactlyTheStoredBytesAndNothingMore) {
    const std::string stored("a\0b\0", 4);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Inner", regtype::kSz, stored), 0);
    const HKEY key = open(kBase, kKeyRead);
    std::vector<std::uint8_t> buffer(16, 0xbd);
    std::uint32_t type = 0;
    std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
    ASSERT_EQ(registry().QueryValueEx(key, "Inner", &type, buffer.data(), &size), 0);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::memcmp(buffer.data(), stored.data(), 4), 0);
    EXPECT_EQ(buffer[4], 0xbd) << "the byte past the reported size must stay untouched";
}

TEST_F(RegistryConformance, TooSmallBufferGivesMoreDataAndTheNeededSize) {
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Long", regtype::kSz, std::string("abcdef\0", 7)), 0);
    const HKEY key = open(kBase, kKeyRead);
    std::vector<std::uint8_t> buffer(3, 0xbd);
    std::uint32_t size = 3;
    EXPECT_EQ(registry().QueryValueEx(key, "Long", nullptr, buffer.data(), &size),
              winerror::kMoreData);
    EXPECT_EQ(size, 7u);
}

TEST_F(RegistryConformance, MissingValueAndHandleZeroGiveTheirCodes) {
    const HKEY key = open(kBase, kKeyRead);
    std::uint32_t type = kSentinel;
    std::uint32_t size = 0;
    EXPECT_EQ(registry().QueryValueEx(key, "Absent", &type, nullptr, &size),
              winerror::kFileNotFound);
    EXPECT_EQ(registry().QueryValueEx(0, "Absent", &type, nullptr, &size),
              winerror::kInvalidHandle);
    const std::uint8_t byte = 0;
    EXPECT_EQ(registry().SetValueEx(0, "X", regtype::kSz, &byte, 1), winerror::kInvalidHandle);
    EXPECT_EQ(registry().DeleteValue(0, "X"), winerror::kInvalidHandle);
}

TEST_F(RegistryConformance, StoredByteCountsComeBackUnchanged) {
    // No terminator (the byte after the counted ones is not NUL, so nothing adds one),
    // a NUL inside, and a byte count of zero.
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "NoNul", regtype::kSz, "abcX", 3), 0);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Zero", regtype::kSz, "", 0), 0);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Empty", regtype::kSz, std::string(1, '\0')), 0);

    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "NoNul")->bytes, "abc");
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Zero")->bytes, "");
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Empty")->bytes, std::string(1, '\0'));
}

TEST_F(RegistryConformance, SettingAValueReplacesItWhateverItsType) {
    const std::string dword("\x2c\x01\x00\x00", 4);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "V", regtype::kDword, dword), 0);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "V", regtype::kSz, std::string("t\0", 2)), 0);
    const auto value = getRaw(kHkeyCurrentUser, kBase, "V");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, regtype::kSz);
    EXPECT_EQ(value->bytes, std::string("t\0", 2));
}

TEST_F(RegistryConformance, BinaryAndOtherTypesKeepTheirTypeAndBytes) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Bin", regtype::kBinary, all), 0);
    ASSERT_EQ(
        setRaw(kHkeyCurrentUser, kBase, "Multi", regtype::kMultiSz, std::string("a\0b\0\0", 5)), 0);
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Bin")->bytes, all);
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Bin")->type, regtype::kBinary);
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Multi")->type, regtype::kMultiSz);
}

TEST_F(RegistryConformance, DeletingRemovesTheValueAndAMissingOneReportsFileNotFound) {
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Gone", regtype::kSz, std::string("1\0", 2)), 0);
    const HKEY key = open();
    EXPECT_EQ(registry().DeleteValue(key, "Gone"), 0);
    EXPECT_FALSE(getRaw(kHkeyCurrentUser, kBase, "Gone").has_value());
    EXPECT_EQ(registry().DeleteValue(key, "Gone"), winerror::kFileNotFound);
}

TEST_F(RegistryConformance, DeletingAKeyTakesItsValuesButNotAKeyWithSubkeys) {
    const std::string child = kBase + "\\Parent\\Child";
    testsupport::createKey(kHkeyCurrentUser, child);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, child, "Old", regtype::kSz, std::string("1\0", 2)), 0);
    const HKEY key = open();
    EXPECT_EQ(registry().DeleteKey(key, "Parent"), winerror::kAccessDenied);
    EXPECT_TRUE(testsupport::keyExists(kHkeyCurrentUser, child));
    EXPECT_EQ(registry().DeleteKey(key, "parent\\CHILD"), 0);
    EXPECT_FALSE(testsupport::keyExists(kHkeyCurrentUser, child));
    EXPECT_EQ(registry().DeleteKey(key, "Parent\\Child"), winerror::kFileNotFound);
    testsupport::createKey(kHkeyCurrentUser, child);
    EXPECT_FALSE(getRaw(kHkeyCurrentUser, child, "Old").has_value());
}

TEST_F(RegistryConformance, NamesCompareWithoutRegardToLetterCase) {
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "ConfName0", regtype::kSz, std::string("a\0", 2)), 0);
    ASSERT_EQ(setRaw(kHkeyCurrentUser, "SOFTWARE\\orvane\\CONFORMANCE", "CONFNAME0", regtype::kSz,
                     std::string("b\0", 2)),
              0);
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "confname0")->bytes, std::string("b\0", 2));

    // The spelling first used is the one listed.
    const HKEY key = open(kBase, kKeyRead);
    char name[32];
    std::uint32_t nameLen = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t dataLen = 0;
    ASSERT_EQ(registry().EnumValue(key, 0, name, &nameLen, &type, nullptr, &dataLen), 0);
    EXPECT_EQ(std::string(name, nameLen), "ConfName0");
}

TEST_F(RegistryConformance, AKeyOpenedForReadingRefusesWrites) {
    const HKEY key = open(kBase, kKeyRead);
    const std::uint8_t data[] = {'1', 0};
    EXPECT_EQ(registry().SetValueEx(key, "W", regtype::kSz, data, 2), winerror::kAccessDenied);
    EXPECT_EQ(registry().DeleteValue(key, "W"), winerror::kAccessDenied);
}

TEST_F(RegistryConformance, EnumeratingSubkeysReportsNamesSizesAndTheEnd) {
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Alpha");
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Bravissimo");
    const HKEY key = open(kBase, kKeyRead);

    KeyInfo info;
    ASSERT_EQ(registry().QueryInfoKey(key, &info), 0);
    EXPECT_EQ(info.subKeys, 2u);
    EXPECT_EQ(info.maxSubKeyLen, 10u);

    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        char name[32];
        char cls[32];
        std::uint32_t nameLen = sizeof name;
        std::uint32_t classLen = sizeof cls;
        const LSTATUS status = registry().EnumKeyEx(key, index, name, &nameLen, cls, &classLen);
        if (status == winerror::kNoMoreItems) {
            break;
        }
        ASSERT_EQ(status, 0);
        EXPECT_EQ(name[nameLen], '\0');
        names.emplace_back(name, nameLen);
    }
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(std::find(names.begin(), names.end(), "Alpha"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Bravissimo"), names.end());

    char small[5];
    std::uint32_t smallLen = sizeof small;
    const std::uint32_t index = names[0] == "Bravissimo" ? 0 : 1;
    EXPECT_EQ(registry().EnumKeyEx(key, index, small, &smallLen, nullptr, nullptr),
              winerror::kMoreData);
}

TEST_F(RegistryConformance, QueryInfoCountsValuesAndTheirLongestNameAndData) {
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Short", regtype::kSz, std::string("1\0", 2)), 0);
    ASSERT_EQ(
        setRaw(kHkeyCurrentUser, kBase, "LongerName", regtype::kSz, std::string("12345\0", 6)), 0);
    const HKEY key = open(kBase, kKeyRead);
    KeyInfo info;
    ASSERT_EQ(registry().QueryInfoKey(key, &info), 0);
    EXPECT_EQ(info.values, 2u);
    EXPECT_EQ(info.maxValueNameLen, 10u);
    // Windows keeps string data as UTF-16 and reports that size, even to the ANSI function.
    EXPECT_EQ(info.maxValueLen, 12u);
    EXPECT_EQ(info.subKeys, 0u);
}

TEST_F(RegistryConformance, ClosingHandleZeroOrARootIsHarmless) {
    registry().CloseKey(0);
    registry().CloseKey(kHkeyCurrentUser);
    // The root still works afterwards.
    EXPECT_TRUE(testsupport::keyExists(kHkeyCurrentUser, kBase));
}

TEST_F(RegistryConformance, ValuesSurviveAFreshRegistryInstance) {
    ASSERT_EQ(setRaw(kHkeyCurrentUser, kBase, "Durable", regtype::kSz, std::string("yes\0", 4)), 0);
    installRegistry(createPlatformRegistry());
    EXPECT_EQ(getRaw(kHkeyCurrentUser, kBase, "Durable")->bytes, std::string("yes\0", 4));
}

}  // namespace
