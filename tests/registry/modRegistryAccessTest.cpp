#include "registry/modRegistryAccess.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace {

using namespace modRegistryAccess;
using namespace std::string_literals;
using namespace testsupport;

constexpr auto HKCU = RootHive::HKEY_CURRENT_USER;
const std::string kKey = "Software\\Orvane\\Quillbell";
const platform::HKEY kUser = platform::kHkeyCurrentUser;
const RegValue kUntouched = std::string("untouched");

class RegistryAccess : public ::testing::Test {
protected:
    void SetUp() override {
        // The byte counts below assume the Western code page, whatever the machine's locale.
        platform::installCodePage(platform::createCodePage(1252));
        CreateRegKey(HKCU, kKey);
    }
    void TearDown() override { platform::installCodePage(nullptr); }

    // (status, out) of ReadOpenKeyValue; an untouched out also means ReadRegValue reads empty.
    std::pair<RegStatus, RegValue> readOpen(const std::string& name,
                                            const std::string& path = kKey) {
        platform::HKEY key = 0;
        platform::registry().OpenKeyEx(kUser, path, platform::kKeyRead, &key);
        RegValue out = kUntouched;
        const RegStatus status = ReadOpenKeyValue(key, name, out);
        platform::registry().CloseKey(key);
        return {status, out};
    }

    testsupport::ScopedTestRegistry scope_;
};

TEST_F(RegistryAccess, ValuesAreStoredAsTheirTypesBytesAndReadBack) {
    using platform::regtype::kDword;
    using platform::regtype::kSz;
    const struct {
        const char* name;
        RegValue written;
        std::int32_t type;
        std::uint32_t storedType;
        std::string stored;
        RegValue read;
    } cases[] = {
        // Text with one terminating NUL, inner NULs kept, one ANSI byte per character.
        {"Empty", ""s, kRegSz, kSz, "\0"s, ""s},
        {"Minus", -1, kRegSz, kSz, "-1\0"s, "-1"s},
        {"Inner", "a\0b\0c"s, kRegSz, kSz, "a\0b\0c\0"s, "a\0b\0c"s},
        {"Umlaut", "Grüße"s, kRegSz, kSz, "Gr\xFC\xDF\x65\0"s, "Grüße"s},
        {"Count", 0x12345678, kRegDword, kDword, "\x78\x56\x34\x12"s, 0x12345678},
        {"FromText", "-2"s, kRegDword, kDword, "\xfe\xff\xff\xff"s, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRegValue(HKCU, kKey, c.name, c.written, c.type);
        const auto raw = getRaw(kUser, kKey, c.name);
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->type, c.storedType);
        EXPECT_EQ(raw->bytes, c.stored);
        EXPECT_EQ(ReadRegValue(HKCU, kKey, c.name), c.read);
    }
    EXPECT_THROW(WriteRegValue(HKCU, kKey, "Bad", "x"s, kRegDword), std::invalid_argument);
    platform::HKEY key = 0;
    platform::registry().OpenKeyEx(kUser, kKey, platform::kKeyWriteAccess, &key);
    EXPECT_EQ(WriteOpenKeyValue(key, "Other", 3, "x"s), 0) << "other types write nothing";
    platform::registry().CloseKey(key);
    EXPECT_FALSE(getRaw(kUser, kKey, "Other").has_value());
}

TEST_F(RegistryAccess, MissingOddSizedAndUnsupportedValuesReadWithTheirStatus) {
    EXPECT_EQ(readOpen("Absent"), std::make_pair(RegStatus{2}, kUntouched));
    EXPECT_EQ(readOpen("Absent", kKey + "\\Nowhere"), std::make_pair(RegStatus{6}, kUntouched));

    using namespace platform::regtype;
    setRaw(kUser, kKey, "ZeroCount", kSz, "", 0);
    setRaw(kUser, kKey, "NoTerminator", kSz, "abcX", 3);
    EXPECT_EQ(readOpen("ZeroCount"), std::make_pair(RegStatus{0}, kUntouched));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "NoTerminator"), RegValue("ab"s));
    // DWORDs of odd sizes are read without overrunning the integer.
    setRaw(kUser, kKey, "Short", kDword, "\x07", 1);
    setRaw(kUser, kKey, "Long", kDword, "\x05\x00\x00\x00\xff\xff\xff\xff"s);
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Short"), RegValue(7));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Long"), RegValue(5));
    setRaw(kUser, kKey, "Expand", kExpandSz, "%TEMP%\0"s);
    setRaw(kUser, kKey, "Multi", kMultiSz, "a\0\0"s);
    setRaw(kUser, kKey, "Binary", kBinary, "\x01\x02"s);
    for (const char* name : {"Expand", "Multi", "Binary"}) {
        EXPECT_EQ(readOpen(name), std::make_pair(RegStatus{-1}, kUntouched)) << name;
    }
}

}  // namespace
