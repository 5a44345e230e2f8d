// Details in which the key store follows advapi32 as observed under Wine: path
// tolerance, letter case, enumeration order, string termination, the rights of a
// handle and the buffer rules of the enumeration calls.

#include <cstring>
#include <string>
#include <vector>

#include "SqliteStoreFixture.h"
#include "platform/CodePage.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kBase = "Software\\Orvane\\Details";

class RegistryDetails : public SqliteStoreTest {
protected:
    void SetUp() override {
        registry_ = makeRegistry();
        base_ = createKey(*registry_, kHkeyCurrentUser, kBase);
    }
    void TearDown() override { registry_->CloseKey(base_); }

    std::vector<std::string> subkeys(HKEY key) {
        std::vector<std::string> names;
        char name[256];
        for (std::uint32_t index = 0;; ++index) {
            std::uint32_t nameLen = sizeof name;
            if (registry_->EnumKeyEx(key, index, name, &nameLen, nullptr, nullptr) != 0) {
                return names;
            }
            names.emplace_back(name, nameLen);
        }
    }
    std::vector<std::string> valueNames(HKEY key) {
        std::vector<std::string> names;
        char name[256];
        for (std::uint32_t index = 0;; ++index) {
            std::uint32_t nameLen = sizeof name;
            if (registry_->EnumValue(key, index, name, &nameLen, nullptr, nullptr, nullptr) != 0) {
                return names;
            }
            names.emplace_back(name, nameLen);
        }
    }
    LSTATUS setBytes(HKEY key, const std::string& name, std::uint32_t type,
                     const std::string& bytes) {
        return registry_->SetValueEx(key, name, type,
                                     reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                     static_cast<std::uint32_t>(bytes.size()));
    }

    std::unique_ptr<SqliteRegistry> registry_;
    HKEY base_ = 0;
};

TEST_F(RegistryDetails, PathsAreReadAsAdvapi32ReadsThem) {
    HKEY key = 0xbad;
    EXPECT_EQ(
        registry_->CreateKeyEx(kHkeyCurrentUser, "\\" + kBase, kKeyWriteAccess, &key, nullptr),
        161);  // ERROR_BAD_PATHNAME
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, "\\" + kBase, kKeyRead, &key), 161);

    std::uint32_t disposition = 0;
    ASSERT_EQ(registry_->CreateKeyEx(base_, "A\\\\B\\", kKeyWriteAccess, &key, &disposition), 0);
    EXPECT_EQ(disposition, kCreatedNewKey);
    registry_->CloseKey(key);
    EXPECT_EQ(subkeys(base_), std::vector<std::string>{"A"});
    ASSERT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kBase + "\\A\\B", kKeyRead, &key), 0);
    registry_->CloseKey(key);
    // Bytes after a NUL are not part of a C string argument.
    ASSERT_EQ(registry_->OpenKeyEx(base_, std::string("A\0Z", 3), kKeyRead, &key), 0);
    registry_->CloseKey(key);

    // An empty path is the key itself, under a handle of its own.
    ASSERT_EQ(registry_->CreateKeyEx(base_, "", kKeyWriteAccess, &key, &disposition), 0);
    EXPECT_NE(key, base_);
    EXPECT_EQ(disposition, kOpenedExistingKey);
    registry_->CloseKey(key);

    EXPECT_EQ(registry_->CreateKeyEx(base_, std::string(256, 'N'), kKeyWriteAccess, &key, nullptr),
              winerror::kInvalidParameter);
    ASSERT_EQ(registry_->CreateKeyEx(base_, std::string(255, 'N'), kKeyWriteAccess, &key, nullptr),
              0);
    registry_->CloseKey(key);
}

TEST_F(RegistryDetails, KeyNamesIgnoreCaseInAnsiLettersAndKeepTheFirstSpelling) {
    struct CodePage1252 {
        CodePage1252() { installCodePage(createCodePage(1252)); }
        ~CodePage1252() { installCodePage(nullptr); }  // the system's again on next use
    } codePage;
    const std::string cafe = "Caf\xE9";  // é in code page 1252
    registry_->CloseKey(createKey(*registry_, base_, cafe));
    registry_->CloseKey(createKey(*registry_, base_, "MiXed"));

    HKEY key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(registry_->CreateKeyEx(base_, "CAF\xC9", kKeyWriteAccess, &key, &disposition), 0);
    EXPECT_EQ(disposition, kOpenedExistingKey);
    registry_->CloseKey(key);
    ASSERT_EQ(
        registry_->OpenKeyEx(kHkeyCurrentUser, "SOFTWARE\\ORVANE\\DETAILS\\mixed", kKeyRead, &key),
        0);
    registry_->CloseKey(key);
    EXPECT_EQ(subkeys(base_), (std::vector<std::string>{cafe, "MiXed"}));
}

TEST_F(RegistryDetails, SubkeysComeInNameOrderAndValuesInCreationOrder) {
    for (const char* name : {"zeta", "Alpha", "mid", "beta"}) {
        registry_->CloseKey(createKey(*registry_, base_, name));
    }
    EXPECT_EQ(subkeys(base_), (std::vector<std::string>{"Alpha", "beta", "mid", "zeta"}));

    for (const char* name : {"Test", "Bin", "Aaa"}) {
        ASSERT_EQ(setText(*registry_, base_, name, "1"), 0);
    }
    // Replacing a value keeps its place and its spelling.
    ASSERT_EQ(setBytes(base_, "TEST", regtype::kDword, std::string("\1\0\0\0", 4)), 0);
    EXPECT_EQ(valueNames(base_), (std::vector<std::string>{"Test", "Bin", "Aaa"}));
}

TEST_F(RegistryDetails, AnUnterminatedStringGainsANulOnlyWhereTheBufferHasRoom) {
    ASSERT_EQ(setBytes(base_, "NoNul", regtype::kSz, "abc"), 0);
    ASSERT_EQ(setBytes(base_, "Bin", regtype::kBinary, "abc"), 0);

    std::vector<std::uint8_t> buffer(8, 0xbd);
    std::uint32_t size = 8;
    ASSERT_EQ(registry_->QueryValueEx(base_, "NoNul", nullptr, buffer.data(), &size), 0);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(buffer[3], 0) << "NT ends the string for the caller";
    EXPECT_EQ(buffer[4], 0xbd);

    buffer.assign(8, 0xbd);
    size = 3;
    ASSERT_EQ(registry_->QueryValueEx(base_, "NoNul", nullptr, buffer.data(), &size), 0);
    EXPECT_EQ(buffer[3], 0xbd) << "no room: nothing past the data";

    buffer.assign(8, 0xbd);
    size = 8;
    ASSERT_EQ(registry_->QueryValueEx(base_, "Bin", nullptr, buffer.data(), &size), 0);
    EXPECT_EQ(buffer[3], 0xbd) << "binary data is never terminated";
}

TEST_F(RegistryDetails, InfoCountsStringDataInTheUtf16BytesWindowsKeepsItIn) {
    ASSERT_EQ(setBytes(base_, "Str", regtype::kSz, std::string("12345\0", 6)), 0);
    ASSERT_EQ(setBytes(base_, "Bin", regtype::kBinary, "1234567"), 0);
    KeyInfo info;
    ASSERT_EQ(registry_->QueryInfoKey(base_, &info), 0);
    EXPECT_EQ(info.maxValueLen, 12u);
    EXPECT_EQ(info.maxValueNameLen, 3u);
    EXPECT_EQ(info.maxClassLen, 0u);
}

TEST_F(RegistryDetails, MissingValuesAndOddArgumentsGiveAdvapi32sAnswers) {
    std::uint32_t type = 77;
    std::uint32_t size = 5;
    EXPECT_EQ(registry_->QueryValueEx(base_, "Absent", &type, nullptr, &size),
              winerror::kFileNotFound);
    EXPECT_EQ(type, regtype::kNone);
    EXPECT_EQ(size, 0u);
    std::uint8_t buffer[4];
    size = 4;
    EXPECT_EQ(registry_->QueryValueEx(base_, "Absent", nullptr, buffer, &size),
              winerror::kFileNotFound);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(registry_->QueryValueEx(base_, "Absent", nullptr, buffer, nullptr),
              winerror::kInvalidParameter);

    EXPECT_EQ(registry_->SetValueEx(base_, "Null", regtype::kBinary, nullptr, 4), 998);
    ASSERT_EQ(registry_->SetValueEx(base_, "Null", regtype::kBinary, nullptr, 0), 0);
    size = 9;
    EXPECT_EQ(registry_->QueryValueEx(base_, "Null", &type, nullptr, &size), 0);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, regtype::kBinary);
}

TEST_F(RegistryDetails, AHandleAllowsWhatItWasOpenedFor) {
    ASSERT_EQ(setText(*registry_, base_, "V", "1"), 0);
    HKEY setOnly = 0;
    ASSERT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kBase, kKeySetValue, &setOnly), 0);
    std::uint32_t size = 0;
    EXPECT_EQ(registry_->QueryValueEx(setOnly, "V", nullptr, nullptr, &size),
              winerror::kAccessDenied);
    char name[16];
    std::uint32_t nameLen = sizeof name;
    EXPECT_EQ(registry_->EnumKeyEx(setOnly, 0, name, &nameLen, nullptr, nullptr),
              winerror::kAccessDenied);
    EXPECT_EQ(registry_->EnumValue(setOnly, 0, name, &nameLen, nullptr, nullptr, nullptr),
              winerror::kAccessDenied);
    EXPECT_EQ(setText(*registry_, setOnly, "V", "2"), 0);
    registry_->CloseKey(setOnly);

    // Creating below a key opened for reading is allowed: the parent's handle is not asked.
    HKEY reading = 0;
    ASSERT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kBase, kKeyRead, &reading), 0);
    HKEY child = 0;
    EXPECT_EQ(registry_->CreateKeyEx(reading, "Child", kKeyWriteAccess, &child, nullptr), 0);
    registry_->CloseKey(child);

    EXPECT_EQ(registry_->CloseKey(reading), 0);
    EXPECT_EQ(registry_->CloseKey(reading), winerror::kInvalidHandle);
    EXPECT_EQ(registry_->QueryValueEx(reading, "V", nullptr, nullptr, &size),
              winerror::kInvalidHandle);
    EXPECT_EQ(registry_->CloseKey(0), winerror::kInvalidHandle);
    EXPECT_EQ(registry_->CloseKey(kHkeyCurrentUser), 0);
    EXPECT_EQ(registry_->CloseKey(kHkeyLocalMachine), 0);
    EXPECT_EQ(registry_->QueryValueEx(kHkeyCurrentUser, "V", nullptr, nullptr, &size),
              winerror::kFileNotFound);
    EXPECT_EQ(registry_->OpenKeyEx(0x80000000, "Software", kKeyRead, &child),
              winerror::kInvalidHandle);
}

TEST_F(RegistryDetails, EnumerationBuffersFollowTheRulesOfAdvapi32) {
    registry_->CloseKey(createKey(*registry_, base_, "Alpha"));
    char name[16];
    std::memset(name, 'X', sizeof name);
    std::uint32_t nameLen = 5;  // "Alpha" without room for its NUL
    EXPECT_EQ(registry_->EnumKeyEx(base_, 0, name, &nameLen, nullptr, nullptr),
              winerror::kMoreData);
    EXPECT_EQ(nameLen, 5u);
    EXPECT_EQ(name[0], 'X');
    char cls[4] = {'X', 'X', 'X', 'X'};
    std::uint32_t classLen = 0;
    nameLen = sizeof name;
    EXPECT_EQ(registry_->EnumKeyEx(base_, 0, name, &nameLen, cls, &classLen), winerror::kMoreData);
    classLen = sizeof cls;
    ASSERT_EQ(registry_->EnumKeyEx(base_, 0, name, &nameLen, cls, &classLen), 0);
    EXPECT_EQ(std::string(name), "Alpha");
    EXPECT_EQ(classLen, 0u);
    EXPECT_EQ(cls[0], '\0');

    ASSERT_EQ(setBytes(base_, "Test", regtype::kSz, std::string("foobar\0", 7)), 0);
    std::uint8_t data[16];
    std::memset(data, 'x', sizeof data);
    std::memset(name, 'x', sizeof name);
    nameLen = 3;
    std::uint32_t dataLen = sizeof data;
    std::uint32_t type = 0;
    // Name too small: as much of it as fits, its length kept; the data are copied.
    EXPECT_EQ(registry_->EnumValue(base_, 0, name, &nameLen, &type, data, &dataLen),
              winerror::kMoreData);
    EXPECT_EQ(std::string(name), "Te");
    EXPECT_EQ(nameLen, 3u);
    EXPECT_EQ(dataLen, 7u);
    EXPECT_EQ(type, regtype::kSz);

    // Data too small: the needed size, and the name left alone.
    std::memset(name, 'x', sizeof name);
    nameLen = sizeof name;
    dataLen = 2;
    EXPECT_EQ(registry_->EnumValue(base_, 0, name, &nameLen, &type, data, &dataLen),
              winerror::kMoreData);
    EXPECT_EQ(dataLen, 7u);
    EXPECT_EQ(nameLen, sizeof name);
    EXPECT_EQ(name[0], 'x');

    nameLen = sizeof name;
    EXPECT_EQ(registry_->EnumValue(base_, 1, name, &nameLen, nullptr, nullptr, nullptr),
              winerror::kNoMoreItems);
}

}  // namespace
}  // namespace sqlitestoretest
