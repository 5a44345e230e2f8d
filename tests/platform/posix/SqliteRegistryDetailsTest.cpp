// advapi32's details as Wine shows them, and index walks across other processes' changes.

#include <cstring>

#include "SqliteStoreFixture.h"
#include "platform/CodePage.h"

namespace sqlitestoretest {
namespace {

const std::string kBase = "Software\\Orvane\\Details";

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

class SqliteRegistryDetails : public SqliteStoreTest {
protected:
    LSTATUS setBytes(const std::string& name, std::uint32_t type, const std::string& bytes) {
        return registry_->SetValueEx(base_, name, type,
                                     reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                     static_cast<std::uint32_t>(bytes.size()));
    }
    // A new key under the base key made by that path; its disposition.
    std::uint32_t created(const std::string& path) {
        HKEY key = 0;
        std::uint32_t disposition = 0;
        EXPECT_EQ(registry_->CreateKeyEx(base_, path, kKeyWriteAccess, &key, &disposition), 0);
        EXPECT_NE(key, base_) << "a handle of its own";
        registry_->CloseKey(key);
        return disposition;
    }

    std::unique_ptr<SqliteRegistry> registry_ = makeRegistry();
    HKEY base_ = createKey(*registry_, kHkeyCurrentUser, kBase);
};

TEST_F(SqliteRegistryDetails, PathsAreReadAsAdvapi32ReadsThem) {
    EXPECT_EQ(openStatus(*registry_, kHkeyCurrentUser, "\\" + kBase), 161);  // ERROR_BAD_PATHNAME

    EXPECT_EQ(created("A\\\\B\\"), kCreatedNewKey);
    EXPECT_EQ(at(*registry_, base_, 0, false), "A");
    EXPECT_EQ(at(*registry_, base_, 1, false), "status 259");
    EXPECT_EQ(openStatus(*registry_, kHkeyCurrentUser, kBase + "\\A\\B"), 0);
    // Bytes after a NUL are not part of a C string argument.
    EXPECT_EQ(openStatus(*registry_, base_, std::string("A\0Z", 3)), 0);
    // An empty path is the key itself, under a handle of its own.
    EXPECT_EQ(created(""), kOpenedExistingKey);

    EXPECT_EQ(openStatus(*registry_, base_, std::string(256, 'N'), kKeyWriteAccess, true),
              kInvalidParameter);
    EXPECT_EQ(created(std::string(255, 'N')), kCreatedNewKey);
}

TEST_F(SqliteRegistryDetails, NamesIgnoreCaseInAnsiLetters) {
    struct CodePage1252 {
        CodePage1252() { installCodePage(createCodePage(1252)); }
        ~CodePage1252() { installCodePage(nullptr); }  // the system's again on next use
    } codePage;
    const std::string cafe = "Caf\xE9";  // é in code page 1252
    EXPECT_EQ(created("mid"), kCreatedNewKey);
    EXPECT_EQ(created(cafe), kCreatedNewKey);
    EXPECT_EQ(created("CAF\xC9"), kOpenedExistingKey);
    EXPECT_EQ(at(*registry_, base_, 0, false), cafe) << "in the order of the folded names";
}

TEST_F(SqliteRegistryDetails, QueriesEndStringsAndAnswerMissingValuesAsAdvapi32Does) {
    ASSERT_EQ(setBytes("NoNul", regtype::kSz, "abc"), 0);
    ASSERT_EQ(setBytes("Bin", regtype::kBinary, "abc"), 0);
    const struct {
        const char* name;
        std::uint32_t room;
        std::uint8_t afterData;
        const char* why;
    } cases[] = {
        {"NoNul", 8, 0, "NT ends the string for the caller"},
        {"NoNul", 3, 0xbd, "no room: nothing past the data"},
        {"Bin", 8, 0xbd, "binary data is never terminated"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<std::uint8_t> buffer(8, 0xbd);
        std::uint32_t size = c.room;
        ASSERT_EQ(registry_->QueryValueEx(base_, c.name, nullptr, buffer.data(), &size), 0);
        EXPECT_EQ(size, 3u);
        EXPECT_EQ(buffer[3], c.afterData);
        EXPECT_EQ(buffer[4], 0xbd);
    }

    std::uint32_t type = 77;
    std::uint32_t size = 5;
    EXPECT_EQ(registry_->QueryValueEx(base_, "Absent", &type, nullptr, &size), kFileNotFound);
    EXPECT_EQ(type, regtype::kNone);
    EXPECT_EQ(size, 0u);
    std::uint8_t buffer[4];
    size = 4;
    EXPECT_EQ(registry_->QueryValueEx(base_, "Absent", nullptr, buffer, &size), kFileNotFound);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(registry_->QueryValueEx(base_, "Absent", nullptr, buffer, nullptr),
              kInvalidParameter);
    EXPECT_EQ(registry_->SetValueEx(base_, "Null", regtype::kBinary, nullptr, 4), 998);
}

TEST_F(SqliteRegistryDetails, AHandleAllowsWhatItWasOpenedFor) {
    ASSERT_EQ(setText(*registry_, base_, "V", "1"), 0);
    HKEY setOnly = 0;
    ASSERT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kBase, kKeySetValue, &setOnly), 0);
    std::uint32_t size = 0;
    EXPECT_EQ(registry_->QueryValueEx(setOnly, "V", nullptr, nullptr, &size), kAccessDenied);
    char name[16];
    std::uint32_t nameLen = sizeof name;
    EXPECT_EQ(registry_->EnumKeyEx(setOnly, 0, name, &nameLen, nullptr, nullptr), kAccessDenied);
    EXPECT_EQ(registry_->EnumValue(setOnly, 0, name, &nameLen, nullptr, nullptr, nullptr),
              kAccessDenied);
    EXPECT_EQ(setText(*registry_, setOnly, "V", "2"), 0);

    // Creating below a key opened for reading is allowed: the parent's handle is not asked.
    HKEY reading = 0;
    ASSERT_EQ(registry_->OpenKeyEx(kHkeyCurrentUser, kBase, kKeyRead, &reading), 0);
    HKEY child = 0;
    EXPECT_EQ(registry_->CreateKeyEx(reading, "Child", kKeyWriteAccess, &child, nullptr), 0);

    EXPECT_EQ(registry_->CloseKey(reading), 0);
    EXPECT_EQ(registry_->CloseKey(reading), kInvalidHandle);
    EXPECT_EQ(openStatus(*registry_, 0x80000000, "Software"), kInvalidHandle);
}

TEST_F(SqliteRegistryDetails, EnumerationBuffersFollowTheRulesOfAdvapi32) {
    EXPECT_EQ(created("Alpha"), kCreatedNewKey);
    char name[16];
    std::memset(name, 'X', sizeof name);
    std::uint32_t nameLen = 5;  // "Alpha" without room for its NUL
    EXPECT_EQ(registry_->EnumKeyEx(base_, 0, name, &nameLen, nullptr, nullptr), kMoreData);
    EXPECT_EQ(nameLen, 5u);
    EXPECT_EQ(name[0], 'X');
    char cls[4] = {'X', 'X', 'X', 'X'};
    std::uint32_t classLen = 0;
    nameLen = sizeof name;
    EXPECT_EQ(registry_->EnumKeyEx(base_, 0, name, &nameLen, cls, &classLen), kMoreData);
    classLen = sizeof cls;
    ASSERT_EQ(registry_->EnumKeyEx(base_, 0, name, &nameLen, cls, &classLen), 0);
    EXPECT_EQ(std::string(name), "Alpha");
    EXPECT_EQ(classLen, 0u);
    EXPECT_EQ(cls[0], '\0');

    ASSERT_EQ(setBytes("Test", regtype::kSz, sz("foobar")), 0);
    std::uint8_t data[16];
    std::uint32_t type = 0;
    // Name too small: as much of it as fits, its length kept; the data are copied.
    // Data too small: the needed size, and the name left alone.
    const struct {
        std::uint32_t nameRoom, dataRoom;
        const char* name;
    } cases[] = {{3, sizeof data, "Te"}, {sizeof name, 2, "xxxxxxxxxxxxxxxx"}};
    for (const auto& c : cases) {
        std::memset(name, 'x', sizeof name);
        nameLen = c.nameRoom;
        std::uint32_t dataLen = c.dataRoom;
        EXPECT_EQ(registry_->EnumValue(base_, 0, name, &nameLen, &type, data, &dataLen), kMoreData);
        EXPECT_EQ(std::string(name, strnlen(name, sizeof name)), c.name);
        EXPECT_EQ(nameLen, c.nameRoom);
        EXPECT_EQ(dataLen, 7u);
        EXPECT_EQ(type, regtype::kSz);
    }
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
        // Values come in creation order; a replaced one keeps its place and spelling.
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
