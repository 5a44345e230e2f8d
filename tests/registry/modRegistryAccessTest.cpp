#include "registry/modRegistryAccess.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace {

using namespace modRegistryAccess;
using testsupport::getRaw;
using testsupport::setRaw;

constexpr auto HKCU = RootHive::HKEY_CURRENT_USER;
const std::string kKey = "Software\\Orvane\\Quillbell";
const platform::HKEY kUser = platform::kHkeyCurrentUser;
const RegValue kUntouched = std::string("untouched");

class RegistryAccess : public ::testing::Test {
protected:
    void SetUp() override {
        // The byte counts below assume the Western code page, whatever the machine's locale.
        platform::installCodePage(platform::createCodePage(1252));
        CreateRegKey(HKCU, "Software\\Orvane");
        CreateRegKey(HKCU, kKey);
    }
    // Runs ReadOpenKeyValue on a key opened for reading and returns (status, out).
    std::pair<RegStatus, RegValue> readOpen(const std::string& name, const std::string& path = kKey) {
        platform::HKEY key = 0;
        platform::registry().OpenKeyEx(kUser, path, platform::kKeyRead, &key);
        RegValue out = kUntouched;
        const RegStatus status = ReadOpenKeyValue(key, name, out);
        platform::registry().CloseKey(key);
        return {status, out};
    }

    void TearDown() override { platform::installCodePage(nullptr); }

    testsupport::ScopedTestRegistry scope_;
};

TEST_F(RegistryAccess, TextIsStoredWithOneTerminatingNulAndReadBackAsText) {
    WriteRegValue(HKCU, kKey, "Empty", std::string(), kRegSz);
    WriteRegValue(HKCU, kKey, "Minus", std::int32_t{-1}, kRegSz);
    WriteRegValue(HKCU, kKey, "Name", std::string("Work mail"), kRegSz);

    EXPECT_EQ(getRaw(kUser, kKey, "Empty")->bytes, std::string(1, '\0'));
    EXPECT_EQ(getRaw(kUser, kKey, "Minus")->bytes, std::string("-1\0", 3));
    EXPECT_EQ(getRaw(kUser, kKey, "Minus")->type, platform::regtype::kSz);

    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Empty"), RegValue(std::string()));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Minus"), RegValue(std::string("-1")));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Name"), RegValue(std::string("Work mail")));
}

TEST_F(RegistryAccess, InnerNulCharactersSurviveTheRoundTrip) {
    const std::string text("a\0b\0c", 5);
    WriteRegValue(HKCU, kKey, "Inner", text, kRegSz);
    EXPECT_EQ(getRaw(kUser, kKey, "Inner")->bytes.size(), 6u);
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Inner"), RegValue(text));
}

TEST_F(RegistryAccess, NonAsciiTextCrossesAsOneAnsiBytePerCharacter) {
    // "Grüße": five characters, stored as five bytes of the Western code page plus NUL.
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e";
    WriteRegValue(HKCU, kKey, "Umlaut", text, kRegSz);
    EXPECT_EQ(getRaw(kUser, kKey, "Umlaut")->bytes.size(), 6u);
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Umlaut"), RegValue(text));
}

TEST_F(RegistryAccess, NumbersWrittenAsDwordReadBackAsIntegers) {
    WriteRegValue(HKCU, kKey, "Count", std::int32_t{0x12345678}, kRegDword);
    WriteRegValue(HKCU, kKey, "FromText", std::string("-2"), kRegDword);
    EXPECT_EQ(getRaw(kUser, kKey, "Count")->bytes, "\x78\x56\x34\x12");
    EXPECT_EQ(getRaw(kUser, kKey, "FromText")->bytes, std::string("\xfe\xff\xff\xff", 4));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Count"), RegValue(std::int32_t{0x12345678}));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "FromText"), RegValue(std::int32_t{-2}));
    EXPECT_THROW(WriteRegValue(HKCU, kKey, "Bad", std::string("x"), kRegDword),
                 std::invalid_argument);
}

TEST_F(RegistryAccess, MissingValuesAndKeysReadAsEmptyWithTheirStatus) {
    EXPECT_TRUE(isEmpty(ReadRegValue(HKCU, kKey, "Absent")));
    EXPECT_TRUE(isEmpty(ReadRegValue(HKCU, kKey + "\\Nowhere", "Absent")));
    EXPECT_TRUE(isEmpty(ReadRegValue(RootHive::HKEY_LOCAL_MACHINE, kKey, "HomeDir")));

    EXPECT_EQ(readOpen("Absent"), std::make_pair(RegStatus{2}, kUntouched));
    EXPECT_EQ(readOpen("Absent", kKey + "\\Nowhere"), std::make_pair(RegStatus{6}, kUntouched));
}

TEST_F(RegistryAccess, OddStoredStringsFollowTheByteCount) {
    setRaw(kUser, kKey, "ZeroCount", platform::regtype::kSz, "", 0);
    setRaw(kUser, kKey, "NoTerminator", platform::regtype::kSz, "abcX", 3);

    EXPECT_EQ(readOpen("ZeroCount"), std::make_pair(RegStatus{0}, kUntouched));
    EXPECT_TRUE(isEmpty(ReadRegValue(HKCU, kKey, "ZeroCount")));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "NoTerminator"), RegValue(std::string("ab")));
}

TEST_F(RegistryAccess, UnsupportedTypesReadAsMinusOneAndEmpty) {
    setRaw(kUser, kKey, "Expand", platform::regtype::kExpandSz, std::string("%TEMP%\0", 7));
    setRaw(kUser, kKey, "Multi", platform::regtype::kMultiSz, std::string("a\0\0", 3));
    setRaw(kUser, kKey, "Binary", platform::regtype::kBinary, std::string("\x01\x02", 2));
    for (const char* name : {"Expand", "Multi", "Binary"}) {
        EXPECT_EQ(readOpen(name), std::make_pair(RegStatus{-1}, kUntouched)) << name;
        EXPECT_TRUE(isEmpty(ReadRegValue(HKCU, kKey, name))) << name;
    }
}

TEST_F(RegistryAccess, OddSizedDwordsAreReadWithoutOverrunningTheInteger) {
    setRaw(kUser, kKey, "Short", platform::regtype::kDword, "\x07", 1);
    setRaw(kUser, kKey, "Long", platform::regtype::kDword,
           std::string("\x05\x00\x00\x00\xff\xff\xff\xff", 8));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Short"), RegValue(std::int32_t{7}));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Long"), RegValue(std::int32_t{5}));
}

TEST_F(RegistryAccess, WritingWithAnotherTypeWritesNothingAndSucceeds) {
    platform::HKEY key = 0;
    platform::registry().OpenKeyEx(kUser, kKey, platform::kKeyWriteAccess, &key);
    EXPECT_EQ(WriteOpenKeyValue(key, "Other", 3, std::string("x")), 0);
    platform::registry().CloseKey(key);
    EXPECT_FALSE(getRaw(kUser, kKey, "Other").has_value());
}

TEST_F(RegistryAccess, WritesUnderAMissingKeyAreLostWithoutCreatingIt) {
    WriteRegValue(HKCU, kKey + "\\Profiles", "ConfName0", std::string("x"), kRegSz);
    EXPECT_FALSE(testsupport::keyExists(kUser, kKey + "\\Profiles"));
    WriteRegValue(RootHive::HKEY_LOCAL_MACHINE, kKey, "Version", std::string("1.0"), kRegSz);
    EXPECT_FALSE(testsupport::keyExists(platform::kHkeyLocalMachine, kKey));
}

TEST_F(RegistryAccess, CreatingAnExistingKeyChangesNothing) {
    WriteRegValue(HKCU, kKey, "Kept", std::string("1"), kRegSz);
    CreateRegKey(HKCU, kKey + "\\Profiles");
    CreateRegKey(HKCU, kKey);
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "Kept"), RegValue(std::string("1")));
    EXPECT_TRUE(testsupport::keyExists(kUser, kKey + "\\Profiles"));
}

TEST_F(RegistryAccess, DeletingRemovesOnlyThatValueAndToleratesMissingOnes) {
    WriteRegValue(HKCU, kKey, "A", std::string("1"), kRegSz);
    WriteRegValue(HKCU, kKey, "B", std::string("2"), kRegSz);
    DeleteRegValue(HKCU, kKey, "A");
    DeleteRegValue(HKCU, kKey, "A");
    DeleteRegValue(HKCU, kKey + "\\Nowhere", "B");
    EXPECT_TRUE(isEmpty(ReadRegValue(HKCU, kKey, "A")));
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "B"), RegValue(std::string("2")));
}

TEST_F(RegistryAccess, KeyAndValueNamesIgnoreLetterCase) {
    WriteRegValue(HKCU, kKey, "ExternLang", std::string("Deutsch"), kRegSz);
    EXPECT_EQ(ReadRegValue(HKCU, "SOFTWARE\\ORVANE\\QUILLBELL", "externlang"),
              RegValue(std::string("Deutsch")));
}

TEST_F(RegistryAccess, ValuesWrittenByHandAsDwordReplaceTextAndBack) {
    WriteRegValue(HKCU, kKey, "ConfNumber", std::string("3"), kRegSz);
    WriteRegValue(HKCU, kKey, "ConfNumber", std::int32_t{4}, kRegDword);
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "ConfNumber"), RegValue(std::int32_t{4}));
    WriteRegValue(HKCU, kKey, "ConfNumber", std::int32_t{5}, kRegSz);
    EXPECT_EQ(ReadRegValue(HKCU, kKey, "ConfNumber"), RegValue(std::string("5")));
}

}  // namespace
